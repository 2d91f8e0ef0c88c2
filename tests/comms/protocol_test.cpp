#include "comms/protocol.h"
#include "pty_peer.h"
#include "support/unit_on_pty.h"

#include <gtest/gtest.h>
#include <thread>

namespace zat {
namespace {

using namespace std::chrono_literals;
using sim::Fault;
using test::UnitOnPty;
using Requests = std::vector<std::string>;

sim::UnitConfig unitAt(int address) {
    sim::UnitConfig config;
    config.address = address;
    return config;
}

CommsSettings commsFor(int address, int retries = 2) {
    CommsSettings comms = UnitOnPty::fastSettings();
    comms.address = address;
    comms.retries = retries;
    return comms;
}

TEST(Protocol, ReadsAHexValueFromTheUnitAtItsAddress) {
    UnitOnPty rig(unitAt(7), {}, commsFor(7));
    rig.unit.withState([](sim::UnitState& s) { ASSERT_TRUE(s.setItem(0, 'a', 3, 0x001F)); });
    std::uint16_t value = 0;
    EXPECT_EQ(rig.protocol.selectPage(0), Outcome::Ok);
    EXPECT_EQ(rig.protocol.readHexIndexed('a', 3, value), Outcome::Ok);
    EXPECT_EQ(value, 31);
    EXPECT_EQ(rig.requests(), (Requests{"W07]0000", "R07a03"}));
    EXPECT_EQ(rig.traffic.replies.back(), "*07a03001F");
    EXPECT_TRUE(rig.user.beep.beeps.empty());
}

TEST(Protocol, WritesReachTheUnitInEveryForm) {
    UnitOnPty rig;
    EXPECT_EQ(rig.protocol.selectPage(0), Outcome::Ok);
    EXPECT_EQ(rig.protocol.writeHexIndexed('a', 5, 10), Outcome::Ok);
    EXPECT_EQ(rig.protocol.writeHex('h', 2), Outcome::Ok);
    EXPECT_EQ(rig.protocol.writeHex('i', 0x0012), Outcome::Ok);
    EXPECT_EQ(rig.protocol.writeDecimalIndexed('B', 4, -5), Outcome::Ok);
    EXPECT_EQ(rig.protocol.writeDecimal('N', 3), Outcome::Ok);
    EXPECT_EQ(rig.protocol.writeDecimalIndexed('P', 2, 150), Outcome::Ok);
    EXPECT_EQ(rig.protocol.writeDecimal('U', -1), Outcome::Ok);
    EXPECT_EQ(rig.requests(), (Requests{"W01]0000", "W01a05000A", "W01h0002", "W01i0012", "W01B04-0005", "W01N0003",
                                        "W01P020150", "W01U-0001"}));
    rig.unit.withState([](sim::UnitState& s) {
        EXPECT_EQ(s.item(0, 'a', 5), 10);
        EXPECT_EQ(s.selectedHotColdBlock(), 2);
        EXPECT_EQ(s.item(0, 'i', 0), 0x0012);
        EXPECT_EQ(s.value('B', 4), -5);
        EXPECT_EQ(s.selectedProfile(), 3);
    });
    // Read back through the protocol: the values make the round trip.
    std::int16_t level = 0, link = 0;
    EXPECT_EQ(rig.protocol.readDecimalIndexed('P', 2, level), Outcome::Ok);
    EXPECT_EQ(rig.protocol.readDecimal('U', link), Outcome::Ok);
    EXPECT_EQ(level, 150);
    EXPECT_EQ(link, -1);
}

TEST(Protocol, DecimalReadsGiveSignedValues) {
    UnitOnPty rig;
    rig.unit.withState([](sim::UnitState& s) {
        ASSERT_TRUE(s.setValue('B', 7, -123));
        ASSERT_TRUE(s.setValue('B', 8, 123));
        ASSERT_TRUE(s.setValue('B', 9, 12345));
    });
    std::int16_t value = 0;
    EXPECT_EQ(rig.protocol.readDecimalIndexed('B', 7, value), Outcome::Ok);
    EXPECT_EQ(value, -123);
    EXPECT_EQ(rig.protocol.readDecimalIndexed('B', 8, value), Outcome::Ok);
    EXPECT_EQ(value, 123);
    EXPECT_EQ(rig.protocol.readDecimalIndexed('B', 9, value), Outcome::Ok);
    EXPECT_EQ(value, 12345);
}

TEST(Protocol, ARefusalFailsAtOnceWithOneBeep) {
    UnitOnPty rig(unitAt(7), {}, commsFor(7, 5));
    rig.unit.injectNext(Fault::Refuse);
    std::uint16_t value = 0xBEEF;
    EXPECT_EQ(rig.protocol.readHexIndexed('a', 3, value), Outcome::Failed);
    EXPECT_EQ(value, 0xBEEF);
    EXPECT_EQ(rig.requests(), Requests{"R07a03"});
    EXPECT_EQ(rig.user.beep.beeps, std::vector<std::string>{"simple"});
}

TEST(Protocol, TheUnitsOwnRefusalIsNotRetriedEither) {
    UnitOnPty rig;
    // "N" selects one of six profiles; 12345 is no profile.
    EXPECT_EQ(rig.protocol.writeDecimal('N', 12345), Outcome::Failed);
    EXPECT_EQ(rig.requests(), Requests{"W01N12345"});
    EXPECT_EQ(rig.traffic.replies.back().substr(1), "01N12345");
    EXPECT_NE(rig.traffic.replies.back()[0], '*');
    EXPECT_EQ(rig.user.beep.beeps.size(), 1u);
}

TEST(Protocol, AGarbledEchoIsAskedAgain) {
    UnitOnPty rig(unitAt(7), {}, commsFor(7, 5));
    rig.unit.withState([](sim::UnitState& s) { s.setItem(0, 'a', 3, 0x001F); });
    rig.unit.injectNext(Fault::Garble);
    rig.unit.injectNext(Fault::Garble);
    std::uint16_t value = 0;
    EXPECT_EQ(rig.protocol.readHexIndexed('a', 3, value), Outcome::Ok);
    EXPECT_EQ(value, 31);
    EXPECT_EQ(rig.requests(), (Requests{"R07a03", "R07a03", "R07a03"}));
    EXPECT_TRUE(rig.user.beep.beeps.empty());
}

TEST(Protocol, EveryFaultIsRecoveredByARetry) {
    for (Fault fault : {Fault::Drop, Fault::Garble, Fault::Truncate}) {
        SCOPED_TRACE(std::string(sim::toString(fault)));
        UnitOnPty rig;
        rig.unit.injectNext(fault);
        EXPECT_EQ(rig.protocol.sendCommand('I'), Outcome::Ok);
        EXPECT_EQ(rig.requests(), (Requests{"S01I", "S01I"}));
        EXPECT_TRUE(rig.user.beep.beeps.empty());
    }
}

TEST(Protocol, RetriesZeroMeansExactlyOneAttempt) {
    UnitOnPty rig(unitAt(1), {}, commsFor(1, 0));
    rig.unit.injectNext(Fault::Drop);
    EXPECT_EQ(rig.protocol.sendCommand('I'), Outcome::Failed);
    EXPECT_EQ(rig.requests(), Requests{"S01I"});
    EXPECT_EQ(rig.user.beep.beeps.size(), 1u);
}

TEST(Protocol, ANegativeRetryCountStillAsksOnce) {
    UnitOnPty rig(unitAt(1), {}, commsFor(1, -3));
    EXPECT_EQ(rig.protocol.sendCommand('I'), Outcome::Ok);
    EXPECT_EQ(rig.requests(), Requests{"S01I"});
}

TEST(Protocol, RetriesAreReadAtEveryCall) {
    UnitOnPty rig(unitAt(1), {}, commsFor(1, 0));
    rig.settings.retries = 1;
    rig.unit.injectNext(Fault::Drop);
    EXPECT_EQ(rig.protocol.sendCommand('I'), Outcome::Ok);
    EXPECT_EQ(rig.requests().size(), 2u);
}

TEST(Protocol, CheckUnitAgainstASilentUnit) {
    // Another address on the bus: nobody answers.
    UnitOnPty rig(unitAt(2), {}, commsFor(1, 3));
    const auto began = LineClock::now();
    EXPECT_EQ(rig.protocol.checkUnit(true), Outcome::Failed);
    EXPECT_GE(LineClock::now() - began, 4 * 60ms);
    EXPECT_EQ(rig.requests(), Requests(4, "W01?0042"));
    EXPECT_EQ(rig.user.beep.beeps, std::vector<std::string>{"simple"});
    ASSERT_EQ(rig.user.prompts.shown.size(), 1u);
    const auto& box = rig.user.prompts.shown[0];
    EXPECT_EQ(box.text, "Unable to communicate with ZAT\nCheck baud rate and address and try again");
    EXPECT_EQ(box.caption, "Error");
    EXPECT_EQ(box.icon, MessageIcon::Exclamation);
    EXPECT_EQ(box.buttons, MessageButtons::Ok);
    EXPECT_EQ(box.beepsBefore, 1u);
}

TEST(Protocol, CheckUnitWithoutItsMessageOnlyBeeps) {
    UnitOnPty rig(unitAt(2), {}, commsFor(1, 0));
    EXPECT_EQ(rig.protocol.checkUnit(false), Outcome::Failed);
    EXPECT_TRUE(rig.user.prompts.shown.empty());
    EXPECT_EQ(rig.user.beep.beeps.size(), 1u);
}

TEST(Protocol, CheckUnitSucceedsSilently) {
    UnitOnPty rig;
    EXPECT_EQ(rig.protocol.checkUnit(true), Outcome::Ok);
    EXPECT_EQ(rig.requests(), Requests{"W01?0042"});
    EXPECT_EQ(rig.traffic.replies.back(), "*01?0042");
    EXPECT_TRUE(rig.user.prompts.shown.empty());
    EXPECT_TRUE(rig.user.beep.beeps.empty());
}

TEST(Protocol, ThePageDecidesWhatALowerCaseLetterMeans) {
    UnitOnPty rig;
    EXPECT_EQ(rig.protocol.selectPage(0), Outcome::Ok);
    EXPECT_EQ(rig.protocol.writeHexIndexed('a', 2, 0x0003), Outcome::Ok);  // analog input 2's type
    EXPECT_EQ(rig.protocol.selectPage(1), Outcome::Ok);
    EXPECT_EQ(rig.protocol.writeHexIndexed('a', 2, 0x0080), Outcome::Ok);  // controller 2's flags
    rig.unit.withState([](sim::UnitState& s) {
        EXPECT_EQ(s.page(), 1);
        EXPECT_EQ(s.item(0, 'a', 2), 0x0003);
        EXPECT_EQ(s.item(1, 'a', 2), 0x0080);
    });
}

TEST(Protocol, ProfilerCommandsActOnTheSelectedProfiler) {
    UnitOnPty rig;
    EXPECT_EQ(rig.protocol.writeDecimal('N', 2), Outcome::Ok);
    EXPECT_EQ(rig.protocol.sendCommand('S'), Outcome::Ok);
    std::int16_t status = 0;
    EXPECT_EQ(rig.protocol.readDecimalIndexed('M', 2, status), Outcome::Ok);
    EXPECT_TRUE(status & 0x01);
    EXPECT_EQ(rig.protocol.sendCommand('H'), Outcome::Ok);
    EXPECT_EQ(rig.protocol.readDecimalIndexed('M', 2, status), Outcome::Ok);
    EXPECT_TRUE(status & 0x08);
    EXPECT_EQ(rig.protocol.sendCommand('R'), Outcome::Ok);
    EXPECT_EQ(rig.protocol.readDecimalIndexed('M', 2, status), Outcome::Ok);
    EXPECT_FALSE(status & 0x01);
}

// Replies no sound unit sends, from a far end driven by hand.
struct ProtocolToPeer : ::testing::Test {
    test::PtyPeer peer;
    test::RecordingUserIo user;
    CommsSettings settings = commsFor(7, 2);
    UnitLink link;
    UnitProtocol protocol{link, settings, user.prompts, user.beep};

    void SetUp() override {
        link.setOptions(LinkOptions{peer.devicePath(), RtsControl::Manual});
        ASSERT_TRUE(link.openPort(settings).ok());
    }

    // Answers the next request with `reply` (a carriage return is added).
    std::thread answer(std::string reply) {
        return std::thread([this, reply] {
            peer.receiveRequest();
            peer.send(reply + "\r");
        });
    }
};

TEST_F(ProtocolToPeer, LowerCaseHexDigitsFailWithoutABeep) {
    auto unit = answer("*07a03001f");
    std::uint16_t value = 0x1234;
    EXPECT_EQ(protocol.readHexIndexed('a', 3, value), Outcome::Failed);
    unit.join();
    EXPECT_EQ(value, 0x1234);
    EXPECT_TRUE(user.beep.beeps.empty());
}

TEST_F(ProtocolToPeer, MalformedDecimalFieldsFailWithoutABeep) {
    for (const char* reply : {"*07A07123", "*07A0712a4", "*07A07"}) {
        SCOPED_TRACE(reply);
        auto unit = answer(reply);
        std::int16_t value = 99;
        EXPECT_EQ(protocol.readDecimalIndexed('A', 7, value), Outcome::Failed);
        unit.join();
        EXPECT_EQ(value, 99);
    }
    EXPECT_TRUE(user.beep.beeps.empty());
}

TEST_F(ProtocolToPeer, AnEchoOfAnotherLetterIsRepeatedUpToTheRetries) {
    std::thread unit([this] {
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(peer.receiveRequest(), "R07a03\r");
            peer.send("*07b03001F\r");
        }
    });
    std::uint16_t value = 0;
    EXPECT_EQ(protocol.readHexIndexed('a', 3, value), Outcome::Failed);
    unit.join();
    EXPECT_EQ(user.beep.beeps.size(), 1u);
}

// A whole echo with its value, but no carriage return before the timeout.
TEST_F(ProtocolToPeer, AReplyWithoutItsCarriageReturnIsAskedAgain) {
    struct Case {
        int retries;
        bool fails;
    };
    for (const Case c : {Case{1, false}, Case{0, true}}) {
        SCOPED_TRACE(c.retries);
        settings.retries = c.retries;
        user.beep.beeps.clear();
        std::thread unit([this, c] {
            EXPECT_EQ(peer.receiveRequest(), "R07a03\r");
            peer.send("*07a030011");
            if (c.retries > 0) {
                EXPECT_EQ(peer.receiveRequest(), "R07a03\r");
                peer.send("*07a03001F\r");
            }
        });
        std::uint16_t value = 0;
        EXPECT_EQ(protocol.readHexIndexed('a', 3, value), c.fails ? Outcome::Failed : Outcome::Ok);
        unit.join();
        EXPECT_EQ(value, c.fails ? 0 : 0x1F);
        EXPECT_EQ(user.beep.beeps.size(), c.fails ? 1u : 0u);
    }
}

}  // namespace
}  // namespace zat
