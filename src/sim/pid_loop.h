// A PID controller acting on one measured value, and the simple process it
// heats: the measurement settles toward the ambient plus the output.
#pragma once

#include <optional>

namespace zat::sim {

struct PidTerms {
    double propBand;  // error, in measured units, that swings the output over its whole range
    double intTime;   // seconds; 0 = no integral action
    double derTime;   // seconds; 0 = no derivative action
};

class PidLoop {
public:
    // The derivative is smoothed over a tenth of the derivative time, as
    // industrial controllers do: taken raw over one short step it would swing
    // the output from end to end on every small change of the measurement.
    static constexpr double kDerivativeSmoothing = 10.0;

    // The output for this step, kept inside low..high.
    double step(double setpoint, double measured, double seconds, const PidTerms& terms, double low, double high);

private:
    double integral_ = 0;    // in output units
    double derivative_ = 0;  // in output units, smoothed
    std::optional<double> lastMeasured_;
};

class FirstOrderProcess {
public:
    static constexpr double kTimeConstant = 30.0;  // seconds

    explicit FirstOrderProcess(double value) : value_(value) {}
    void settle(double ambient, double heating, double seconds);
    double value() const { return value_; }

private:
    double value_;
};

}  // namespace zat::sim
