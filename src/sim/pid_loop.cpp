#include "sim/pid_loop.h"

#include <algorithm>
#include <cmath>

namespace zat::sim {

double PidLoop::step(double setpoint, double measured, double seconds, const PidTerms& terms, double low, double high) {
    if (seconds <= 0) seconds = 1e-3;
    const double gain = (high - low) / std::max(terms.propBand, 1.0);
    const double error = setpoint - measured;
    // Derivative on the measurement, so a setpoint step does not kick the
    // output; smoothed with a lag of derTime / kDerivativeSmoothing.
    if (lastMeasured_ && terms.derTime > 0) {
        const double lag = terms.derTime / kDerivativeSmoothing;
        derivative_ = (lag * derivative_ - gain * terms.derTime * (measured - *lastMeasured_)) / (lag + seconds);
    } else {
        derivative_ = 0;
    }
    lastMeasured_ = measured;

    double integral = integral_;
    if (terms.intTime > 0) {
        integral += gain * error * seconds / terms.intTime;
    } else {
        integral = 0;
    }
    const double wanted = low + gain * error + integral + derivative_;
    const double output = std::clamp(wanted, low, high);
    // Integrate only while the output is free to move that way (no wind-up).
    const bool pushingHigh = wanted > high && integral > integral_;
    const bool pushingLow = wanted < low && integral < integral_;
    if (!pushingHigh && !pushingLow) integral_ = integral;
    return output;
}

void FirstOrderProcess::settle(double ambient, double heating, double seconds) {
    const double target = ambient + heating;
    value_ += (target - value_) * (1.0 - std::exp(-seconds / kTimeConstant));
}

}  // namespace zat::sim
