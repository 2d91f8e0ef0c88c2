// The "Profile Editor": the six setpoint profiles, one per tab, each eight
// segment rows of rate, level and dwell, a comment and a link. The rules are
// those of editing/profile_edit.h; this window shows a profile and hands its
// texts back to them.
#pragma once

#include "editing/profile_edit.h"
#include "editing/record_snapshot.h"
#include "gui/common/window_context.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLineEdit;

namespace zat {

class PageTabs;

class TProfileEdit : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 221;

    explicit TProfileEdit(const WindowContext& context);

public slots:
    // Stores the profile on display; a refused entry keeps the dialog open.
    // Otherwise marks the database modified and closes with Accepted.
    void accept() override;
    // Cancel, Escape and the close box: the profile on display is not
    // stored. Profiles stored on tab changes stay, and mark the database
    // modified when they changed it.
    void reject() override;

private:
    QWidget* buildPage();
    void loadPage(int profile);
    ProfilePage typedPage() const;
    bool storePage();

    struct SegmentRow {
        QLineEdit* rate = nullptr;
        QLineEdit* level = nullptr;
        QLineEdit* dwell = nullptr;
    };

    ConfigDatabase& db_;
    GuiContext gui_;
    ProfileSnapshot opened_;
    PageTabs* tabs_ = nullptr;
    QLineEdit* comment_ = nullptr;
    std::array<SegmentRow, kProfileSegmentCount> rows_{};
    QCheckBox* linked_ = nullptr;
    QLineEdit* link_ = nullptr;
};

}  // namespace zat
