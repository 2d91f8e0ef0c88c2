// The "Working" window of long operations: a line of message and a
// percentage bar, kept up to date after every step. It cannot cancel.
#pragma once

#include "userio/progress_meter.h"
#include "userio/user_io.h"

#include <QDialog>

#include <memory>

class QLabel;
class QProgressBar;

namespace zat {

class TPleaseWait : public QDialog {
    Q_OBJECT
public:
    TPleaseWait();

    void setRange(int minimum, int maximum);
    void setMessage(const QString& text);
    void step();
    // Shows the percentage of the position and lets waiting events through.
    void update();

private:
    void showPercent(int percent);
    // Escape and the window manager's close do nothing: it cannot cancel.
    void reject() override;

    ProgressMeter meter_;
    QLabel* message_ = nullptr;
    QProgressBar* bar_ = nullptr;
};

// The core's progress interface over TPleaseWait: show builds the window, destroy
// removes it.
class PleaseWaitProgress final : public Progress {
public:
    void show() override;
    void setRange(int minimum, int maximum) override;
    void setMessage(std::string_view text) override;
    void step() override;
    void destroy() override;

    // The window while an operation runs, else null.
    TPleaseWait* window() const { return window_.get(); }

private:
    std::unique_ptr<TPleaseWait> window_;
};

}  // namespace zat
