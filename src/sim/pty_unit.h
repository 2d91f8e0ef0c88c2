// A simulated unit on the far end of a pseudo-terminal, or several sharing
// the line: a program opens devicePath() as its serial port and talks to
// UnitState through it.
#pragma once

#include "sim/fault_plan.h"
#include "sim/unit_state.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace zat::sim {

struct LineTiming {
    int baudRate = 0;      // pacing of the line; 0 = no pacing
    int turnaroundMs = 0;  // from the end of the request to the first reply character
    int lateMs = 1000;     // how late a Fault::Late reply comes
};

// One request as the unit saw it, and what it did about it.
struct Exchange {
    std::string request;               // without the carriage return
    std::optional<std::string> reply;  // without the carriage return; none if silent
    Fault fault = Fault::None;
};

class PtyUnit {
public:
    PtyUnit(UnitConfig config, LineTiming timing, FaultPlan faults = {});
    ~PtyUnit();  // stops the thread and closes the pseudo-terminal
    PtyUnit(const PtyUnit&) = delete;
    PtyUnit& operator=(const PtyUnit&) = delete;

    // The slave end's path, e.g. /dev/pts/5. Valid from construction on.
    const std::string& devicePath() const;

    // Runs the unit on a thread of its own until stop() or destruction.
    void start();
    void stop();
    // Runs on the calling thread until keepRunning() returns false (checked at
    // least every 100 ms); for the program.
    void run(const std::function<bool()>& keepRunning);

    // The next answered request gets this fault (thread-safe; queued in order).
    void injectNext(Fault fault);

    // Every request since the last call, in order (thread-safe).
    std::vector<Exchange> takeExchanges();
    // Writes every exchange as it happens ("> request" / "< reply" lines).
    void setLog(std::ostream* log);

    // Stops answering (true) or answers again (false); thread-safe.
    void setSilent(bool silent);
    bool silent();

    // Runs f on the unit's state under the unit's lock (the first unit's on a bus).
    void withState(const std::function<void(UnitState&)>& f);

    // Puts another unit on the same line, with its own memory: a bus. Each
    // hears every request and only the one addressed answers. Silence
    // applies to all of them.
    void addUnit(const UnitConfig& config);
    // Runs f on the unit at that address; false when there is none.
    bool withUnitAt(int address, const std::function<void(UnitState&)>& f);
    void forEachUnit(const std::function<void(UnitState&)>& f);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace zat::sim
