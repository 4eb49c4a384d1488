#include "app/progress_control.h"

#include <QProgressBar>
#include <algorithm>

#include "app/qt/widget_ref.h"

void ProgressControl::SetMaximum(int maximum) {
  WithWidget<QProgressBar>(ref_, [&](QProgressBar& bar) { bar.setMaximum(maximum); });
}

int ProgressControl::Maximum() const {
  int maximum = 0;
  WithWidget<QProgressBar>(ref_, [&](QProgressBar& bar) { maximum = bar.maximum(); });
  return maximum;
}

void ProgressControl::SetPosition(int position) {
  // Like the classic control, a position outside the range is held at its
  // nearer end rather than ignored.
  WithWidget<QProgressBar>(ref_, [&](QProgressBar& bar) {
    bar.setValue(std::clamp(position, bar.minimum(), std::max(bar.minimum(), bar.maximum())));
  });
}

int ProgressControl::Position() const {
  int position = 0;
  WithWidget<QProgressBar>(ref_, [&](QProgressBar& bar) { position = std::max(bar.value(), bar.minimum()); });
  return position;
}
