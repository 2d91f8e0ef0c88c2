// What the calibration dialogs share: modal, opened against the unit before
// they are shown, a PollTimer for the live value, every exchange inside a
// LinkBatch, the OK / Revert / Help column and the "No reply from unit" line.
#pragma once

#include "gui/common/live_value_widgets.h"  // makeValueCell
#include "gui/common/poll_timer.h"
#include "gui/common/window_context.h"
#include "userio/outcome.h"

#include <QDialog>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

class QHBoxLayout;
class QLabel;
class QPushButton;
class QSlider;

namespace zat {

// A constant's controls: its value, "-", the track bar and "+".
struct ConstantControls {
    QString title;  // what a screen reader calls the constant: "Zero", "Span"
    QLabel* value = nullptr;
    QPushButton* minus = nullptr;
    QSlider* track = nullptr;
    QPushButton* plus = nullptr;
};

class CalibrationWindow : public QDialog {
    Q_OBJECT
public:
    // Opens the session and starts the timer. Failed: the user has been told
    // and the dialog is not to be shown.
    Outcome start();
    void tickNow() {
        runBatch([this] { tickEngine(); });
    }
    // Enough ticks at once to fill every value (the pictures and tests use it).
    void sweep() {
        for (int tick = 0; tick < ticksPerSweep(); ++tick) tickNow();
    }
    QString linkStatus() const;
    PollTimer& pollTimer() { return *timer_; }

protected:
    CalibrationWindow(const WindowContext& context, const QString& title);

    virtual Outcome openEngine() = 0;
    virtual void tickEngine() = 0;
    virtual std::chrono::milliseconds tickInterval() const = 0;
    virtual int ticksPerSweep() const { return 1; }
    virtual Outcome revertEngine() = 0;
    // What the session shows now, into the controls.
    virtual void showState() = 0;

    // Runs exchanges with the unit as one batch, then shows the state.
    void runBatch(const std::function<void()>& exchanges);
    QWidget* makeButtons(int helpContext);
    QLabel* makeLinkStatusLabel();
    void showLinkStatus(std::string_view text);
    void setRevertEnabled(bool enabled);
    // Made in `group` and added to `layout` in that order, named `name`,
    // `name`Minus, `name`Track and `name`Plus; the track runs 0..trackMaximum
    // with a tick at every step. A screen reader names them after `title`
    // ("Zero down", "Zero up").
    static ConstantControls makeConstantControls(QWidget* group, QHBoxLayout& layout, const QString& name,
                                                 const QString& title, int trackMaximum, int trackMinimumWidth);
    // The value and the track at `position`; unread (empty): nothing shown,
    // nothing to adjust.
    static void showConstant(const ConstantControls& controls, const std::optional<std::uint16_t>& value, int position);
    // OK, Escape and the close box: the timer stops first.
    void done(int result) override;

    WindowContext context_;

private:
    PollTimer* timer_ = nullptr;
    QPushButton* revert_ = nullptr;
    QLabel* linkStatus_ = nullptr;
};

}  // namespace zat
