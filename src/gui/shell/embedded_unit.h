// The simulated unit inside the program (zatsetup --simulate): a ZAT V2 on a
// pseudo-terminal, so every command can be tried without hardware. It starts
// with the demonstration kiln's controllers, profilers and profiles in its
// memory and its enabled profilers running.
#pragma once

#include <chrono>
#include <memory>
#include <string>

namespace zat::sim {
class PtyUnit;
}

namespace zat {

class EmbeddedUnit {
public:
    // Starts the unit on a thread of its own; `timeScale` simulated seconds
    // pass per real second (above 0; a tiny one for pictures that pass the
    // time themselves with advance).
    explicit EmbeddedUnit(double timeScale = 1.0);
    ~EmbeddedUnit();
    EmbeddedUnit(const EmbeddedUnit&) = delete;
    EmbeddedUnit& operator=(const EmbeddedUnit&) = delete;

    // The device the program opens instead of a serial port.
    const std::string& devicePath() const;
    // Answers at this address from now on, like a unit whose switch was set to it.
    void setAddress(int address);
    // Stops answering (true) or answers again (false), like a unit that lost
    // its line and got it back.
    void setSilent(bool silent);
    // Lets `time` of simulated time pass at once (pictures).
    void advance(std::chrono::milliseconds time);

private:
    double timeScale_;
    std::unique_ptr<sim::PtyUnit> unit_;
};

}  // namespace zat
