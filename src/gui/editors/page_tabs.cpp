#include "gui/editors/page_tabs.h"

namespace zat {

PageTabs::PageTabs(QWidget* parent, std::function<bool()> leave, std::function<void(int page)> enter)
    : QTabBar(parent), leave_(std::move(leave)), enter_(std::move(enter)) {
    setObjectName(QStringLiteral("tabs"));
    setExpanding(false);
    // Every tab shown whole: the dialog widens instead of scrolling or
    // shortening the titles.
    setUsesScrollButtons(false);
    setElideMode(Qt::ElideNone);
    connect(this, &QTabBar::currentChanged, this, &PageTabs::changed);
}

void PageTabs::changed(int index) {
    if (reverting_ || index < 0 || index == shown_) return;
    // Qt has already moved the selection; a refused store moves it back
    // before anything else is shown.
    if (!leave_()) {
        reverting_ = true;
        setCurrentIndex(shown_);
        reverting_ = false;
        return;
    }
    shown_ = index;
    enter_(index);
}

}  // namespace zat
