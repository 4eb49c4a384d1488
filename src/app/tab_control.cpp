#include "app/tab_control.h"

#include <QTabBar>
#include <QTabWidget>

#include "app/qt/widget_ref.h"

void TabControl::ShowPage(int page) {
  WithWidget<QTabWidget>(ref_, [&](QTabWidget& tabs) {
    if (page >= 0 && page < tabs.count()) tabs.setCurrentIndex(page);
  });
}

int TabControl::CurrentPage() const {
  int page = -1;
  WithWidget<QTabWidget>(ref_, [&](QTabWidget& tabs) { page = tabs.currentIndex(); });
  return page;
}

int TabControl::PageCount() const {
  int count = 0;
  WithWidget<QTabWidget>(ref_, [&](QTabWidget& tabs) { count = tabs.count(); });
  return count;
}

void TabControl::OnPageClicked(std::function<void(int page)> handler) {
  WithWidget<QTabWidget>(ref_, [&](QTabWidget& tabs) {
    // Reported once the clicked page is shown.
    QObject::connect(tabs.tabBar(), &QTabBar::tabBarClicked, &tabs, [&tabs, handler](int index) {
      if (index < 0) return;
      tabs.setCurrentIndex(index);
      handler(index);
    });
  });
}
