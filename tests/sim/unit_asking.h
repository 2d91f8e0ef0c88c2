// A simulated unit under test and short ways to put requests to it.
#pragma once

#include "sim/unit_state.h"

#include <gtest/gtest.h>
#include <string>

namespace zat::sim::test {

class UnitAsking : public ::testing::Test {
protected:
    // The reply, or "(silent)".
    std::string ask(const std::string& request) { return unit.handle(request).value_or("(silent)"); }

    // The unit took the request: "*" and the echo, with no value.
    ::testing::AssertionResult accepted(const std::string& request) {
        const std::string reply = ask(request);
        if (reply == "*" + request.substr(1)) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << request << " got " << reply;
    }

    UnitState unit;
};

}  // namespace zat::sim::test
