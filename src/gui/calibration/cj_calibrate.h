// "Cold Junction Calibration": the thermocouple cards' cold junction zero
// and each slot's terminal temperature, over a ColdJunctionSession.
#pragma once

#include "calibration/cold_junction_session.h"
#include "gui/calibration/calibration_window.h"

#include <array>

class QLabel;

namespace zat {

class TCJCalibrate final : public CalibrationWindow {
    Q_OBJECT
public:
    explicit TCJCalibrate(const WindowContext& context);

private:
    Outcome openEngine() override { return engine_.open(context_.protocol); }
    void tickEngine() override { engine_.tick(context_.protocol); }
    std::chrono::milliseconds tickInterval() const override { return engine_.tickInterval(); }
    int ticksPerSweep() const override { return kColdJunctionSlots; }
    Outcome revertEngine() override { return engine_.revert(context_.protocol); }
    void showState() override;

    ColdJunctionSession engine_;
    std::array<QLabel*, kColdJunctionSlots> temperatures_{};
    ConstantControls zero_;
};

}  // namespace zat
