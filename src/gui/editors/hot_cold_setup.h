// The Hot Cold Calculation Block editor: the four blocks, one to a tab, each
// with its comment, enabled box, the 40 analog inputs it takes and the four
// registers its results go to. A tab change stores the page on display and
// is refused when a destination is bad; OK stores it and closes.
#pragma once

#include "editing/hot_cold_setup.h"
#include "gui/common/window_context.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLineEdit;

namespace zat {

class PageTabs;

class THCSetup final : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 209;

    explicit THCSetup(const WindowContext& context);

public slots:
    // Stores the page on display; a bad destination keeps the dialog open.
    void accept() override;

private:
    void loadPage(int block);
    // Every store marks the database modified, refused or not.
    bool storePage();
    // Each tab's picture from its block's enabled bit.
    void refreshTabImages();
    void showTabImage(int block);
    QLineEdit* destinationEdit(HotColdField field) const;

    ConfigDatabase& db_;
    GuiContext gui_;
    PageTabs* tabs_ = nullptr;
    QCheckBox* enabled_ = nullptr;
    QLineEdit* comment_ = nullptr;
    std::array<QCheckBox*, kAnalogInputCount> inputs_{};
    QLineEdit* hottest_ = nullptr;
    QLineEdit* coldest_ = nullptr;
    QLineEdit* average_ = nullptr;
    QLineEdit* spread_ = nullptr;
};

}  // namespace zat
