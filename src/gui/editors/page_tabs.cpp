#include "gui/editors/page_tabs.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

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

void layOutPagedDialog(QWidget& dialog, PageTabs* tabs, QWidget* page, QWidget* buttons) {
    auto* left = new QVBoxLayout;
    left->setSpacing(0);
    left->addWidget(tabs);
    left->addWidget(page, 1);
    auto* whole = new QHBoxLayout(&dialog);
    whole->addLayout(left, 1);
    whole->addSpacing(6);
    whole->addWidget(buttons);
}

}  // namespace zat
