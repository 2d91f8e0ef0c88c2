// The simulated unit with fast settings for the monitor tests.
#pragma once

#include "support/unit_on_pty.h"

#include <string>
#include <vector>

namespace zat::test {

using Requests = std::vector<std::string>;

// Requests from `first` to `last` of item `letter` at the unit's address 01.
inline Requests readsOf(char letter, int first, int last) {
    Requests out;
    for (int i = first; i <= last; ++i) {
        char text[16];
        std::snprintf(text, sizeof text, "R01%c%02d", letter, i);
        out.emplace_back(text);
    }
    return out;
}

inline Requests operator+(Requests a, const Requests& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Two retries and a reply timeout long enough that a busy machine does not
// make the unit look silent when it is not.
inline CommsSettings patientSettings() {
    CommsSettings comms = UnitOnPty::fastSettings();
    comms.timeOut = 200;
    return comms;
}

// The unit refuses the `n`th request from now (counted from 1) and answers
// the others.
inline void refuseRequest(UnitOnPty& rig, int n) {
    for (int i = 1; i < n; ++i) rig.unit.injectNext(sim::Fault::None);
    rig.unit.injectNext(sim::Fault::Refuse);
}

// Makes the unit silent for the next `count` requests.
inline void dropNext(UnitOnPty& rig, int count) {
    for (int i = 0; i < count; ++i) rig.unit.injectNext(sim::Fault::Drop);
}

}  // namespace zat::test
