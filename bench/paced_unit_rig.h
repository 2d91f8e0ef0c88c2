// What the line benchmarks share: a simulated unit pacing a real line rate,
// the utility's link and protocol opened on it, and the calling thread's CPU
// clock.
#pragma once

#include "comms/protocol.h"
#include "comms/unit_link.h"
#include "sim/pty_unit.h"
#include "userio/user_io.h"

#include <ctime>
#include <stdexcept>
#include <string>

namespace zat::bench {

// A benchmark runs unattended: any message box means something went wrong.
class NoPrompts final : public Prompts {
public:
    Answer show(std::string_view text, std::string_view, MessageIcon, MessageButtons) override {
        throw std::runtime_error(std::string(text));
    }
};

inline double threadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// The unit answers after `turnaroundMs`, at `baudRate`; the link asks once
// (no retries) and waits up to 250 ms.
struct PacedUnitRig {
    PacedUnitRig(int baudRate, int turnaroundMs, TrafficObserver* traffic = nullptr)
        : unit({}, sim::LineTiming{baudRate, turnaroundMs}), protocol(link, settings, prompts, beep) {
        unit.start();
        settings = settingsAt(baudRate);
        link.setOptions(LinkOptions{unit.devicePath(), RtsControl::Manual});
        if (traffic != nullptr) link.setTraffic(traffic);
        if (const LinkReason reason = link.openPort(settings); !reason.ok()) {
            throw std::runtime_error(linkMessage(reason).text);
        }
    }

    // The link's settings of every line benchmark.
    static CommsSettings settingsAt(int baudRate) {
        CommsSettings comms;
        comms.baudRate = baudRate;
        comms.timeOut = 250;
        comms.retries = 0;
        return comms;
    }

    sim::PtyUnit unit;
    NoPrompts prompts;
    SilentBeep beep;
    CommsSettings settings;
    UnitLink link;
    UnitProtocol protocol;
};

}  // namespace zat::bench
