// "Calibration": Calibrate Analogue Inputs and Calibrate Analogue Outputs,
// one dialog set up with either's constants, over a CalibrationSession.
#pragma once

#include "calibration/calibration_session.h"
#include "gui/calibration/calibration_window.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;
class QSpinBox;
class QTabBar;

namespace zat {

class TCalibrate final : public CalibrationWindow {
    Q_OBJECT
public:
    TCalibrate(const WindowContext& context, const CalibrationDialogConfig& config);

    const CalibrationSession& engine() const { return engine_; }

protected:
    // Closing releases the outputs forced here.
    void done(int result) override;

private:
    Outcome openEngine() override;
    void tickEngine() override { engine_.tick(context_.protocol); }
    std::chrono::milliseconds tickInterval() const override { return engine_.tickInterval(); }
    Outcome revertEngine() override { return engine_.revert(context_.protocol); }
    void showState() override;

    // One constant's row: force box (outputs), value, "-", track bar, "+".
    struct ConstantRow : ConstantControls {
        QCheckBox* force = nullptr;
    };
    QWidget* makeConstantRow(const QString& title, const QString& name, const TrackMapping& mapping, ConstantRow& row);
    void selectChannel();

    CalibrationSession engine_;
    QTabBar* tabs_ = nullptr;
    QSpinBox* channel_ = nullptr;
    QLabel* name_ = nullptr;
    QLabel* value_ = nullptr;
    QLabel* range_ = nullptr;
    ConstantRow zero_{};
    ConstantRow span_{};
    bool closing_ = false;
};

}  // namespace zat
