// The monitors' exchanges go through the protocol's own loop: whatever the
// retries setting holds and whatever the unit replies, LinkHealth decides
// an exchange as the protocol does.
#include "comms/link_health.h"
#include "support/unit_on_pty.h"

#include <climits>
#include <gtest/gtest.h>

namespace zat {
namespace {

using sim::Fault;
using test::UnitOnPty;

CommsSettings withRetries(int retries) {
    CommsSettings comms = UnitOnPty::fastSettings();
    comms.retries = retries;
    return comms;
}

TEST(LinkHealth, DecidesEachExchangeAsTheProtocolDoes) {
    struct Case {
        const char* what;
        int retries;  // as a hand-edited file can leave it
        Fault fault;
        Outcome outcome;
        std::size_t requests;
    };
    const Case cases[] = {
        {"negative retries still ask once", -1, Fault::None, Outcome::Ok, 1},
        {"the most negative retries", INT_MIN, Fault::None, Outcome::Ok, 1},
        {"retries whose count of tries wraps", INT_MAX, Fault::None, Outcome::Ok, 1},
        {"an accepted echo whose value does not parse decides at once", 2, Fault::BadValue, Outcome::Failed, 1},
        {"a garbled echo is asked again", 2, Fault::Garble, Outcome::Ok, 2},
    };
    for (const Case& c : cases) {
        for (const bool throughHealth : {false, true}) {
            SCOPED_TRACE(std::string(c.what) + (throughHealth ? ", through LinkHealth" : ", protocol alone"));
            UnitOnPty rig({}, {}, withRetries(c.retries));
            rig.unit.injectNext(c.fault);
            LinkHealth health;
            std::int16_t value = 0;
            const Outcome outcome = throughHealth ? readDecimalIndexed(rig.protocol, health, 'A', 2, value)
                                                  : rig.protocol.readDecimalIndexed('A', 2, value);
            EXPECT_EQ(outcome, c.outcome);
            EXPECT_EQ(rig.requests(), std::vector<std::string>(c.requests, "R01A02"));
            EXPECT_TRUE(rig.user.beep.beeps.empty());  // neither a bad value nor a success beeps
            EXPECT_FALSE(health.silent());
        }
    }
}

// Each try is an exchange of its own with the window's hook before it; the
// beep comes once, after the last.
TEST(LinkHealth, EveryTryHasItsOwnTurnAndOnlyTheLastBeeps) {
    UnitOnPty rig({}, {}, withRetries(2));
    int turns = 0;
    rig.link.setBetweenExchanges([&turns] { ++turns; });
    for (int i = 0; i < 3; ++i) rig.unit.injectNext(Fault::Garble);
    LinkHealth health;
    std::int16_t value = 0;
    EXPECT_EQ(readDecimalIndexed(rig.protocol, health, 'A', 2, value), Outcome::Failed);
    EXPECT_EQ(rig.requests().size(), 3u);
    EXPECT_EQ(turns, 3);
    EXPECT_EQ(rig.user.beep.beeps, std::vector<std::string>{"simple"});
    EXPECT_FALSE(health.silent());  // it answered, however badly
}

}  // namespace
}  // namespace zat
