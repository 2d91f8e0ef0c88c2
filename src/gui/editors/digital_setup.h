// The digital comment editor: one dialog in two modes, the 40 digital input
// comments (C00..C39) or the 56 digital output comments (D00..D55), eight
// channels to a tab. A tab change stores the page on display; OK stores it
// and closes.
#pragma once

#include "editing/digital_comments_setup.h"
#include "editing/record_snapshot.h"
#include "gui/common/window_context.h"

#include <QDialog>

#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;

namespace zat {

class PageTabs;

class TDSetup : public QDialog {
    Q_OBJECT
public:
    TDSetup(const WindowContext& context, DigitalMode mode);

    DigitalMode mode() const { return mode_; }

public slots:
    // Stores the page on display, marks the database modified and closes.
    void accept() override;
    // Closes without storing the page on display. Pages stored by tab
    // changes stay stored, so the database is marked modified when the
    // comments differ from what they were on opening.
    void reject() override;

private:
    void loadPage(int tab);
    // Nothing on a page can be refused.
    bool storePage();

    ConfigDatabase& db_;
    GuiContext gui_;
    DigitalMode mode_;
    DigitalCommentSnapshot opened_;
    PageTabs* tabs_ = nullptr;
    QGroupBox* channels_ = nullptr;
    std::array<QLabel*, kDigitalCommentRowCount> labels_{};
    std::array<QLineEdit*, kDigitalCommentRowCount> comments_{};
};

// The two modes as the windows the command table opens.
class TDInputSetup final : public TDSetup {
public:
    explicit TDInputSetup(const WindowContext& context) : TDSetup(context, DigitalMode::Inputs) {}
};

class TDOutputSetup final : public TDSetup {
public:
    explicit TDOutputSetup(const WindowContext& context) : TDSetup(context, DigitalMode::Outputs) {}
};

}  // namespace zat
