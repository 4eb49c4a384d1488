#include "app/qt/widget_ref.h"

std::shared_ptr<WidgetRef> MakeWidgetRef(QWidget* widget) {
  auto ref = std::make_shared<WidgetRef>();
  ref->widget = widget;
  return ref;
}
