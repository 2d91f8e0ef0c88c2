// Tabs over one set of controls, as the paged editors use them: before
// another page is shown, the page on display is stored; a store that fails
// keeps the old tab selected.
#pragma once

#include <QTabBar>

#include <functional>

namespace zat {

class PageTabs final : public QTabBar {
    Q_OBJECT
public:
    // `leave` stores the page on display and tells whether another may be
    // shown; `enter` shows the page of the tab now selected.
    PageTabs(QWidget* parent, std::function<bool()> leave, std::function<void(int page)> enter);

    // The page whose controls are on display.
    int shownPage() const { return shown_; }

private:
    void changed(int index);

    std::function<bool()> leave_;
    std::function<void(int)> enter_;
    int shown_ = 0;
    bool reverting_ = false;
};

// Lays a paged editor out: the tabs over the page on the left, the button
// column on the right.
void layOutPagedDialog(QWidget& dialog, PageTabs* tabs, QWidget* page, QWidget* buttons);

}  // namespace zat
