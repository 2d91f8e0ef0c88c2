#include "comms/unit_link.h"
#include "pty_peer.h"
#include "support/temp_dir.h"
#include "support/unit_on_pty.h"
#include "userio/application_title.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace zat {
namespace {

using namespace std::chrono_literals;
using test::PtyPeer;

constexpr std::string_view kOpenFailed = "Failed to open the comms port.\nIt may be in use by another application";

CommsSettings settingsFor(int baudRate = 9600, std::uint32_t timeoutMs = 80) {
    CommsSettings settings;
    settings.baudRate = baudRate;
    settings.timeOut = timeoutMs;
    return settings;
}

struct LinkToPeer : ::testing::Test {
    PtyPeer peer;
    UnitLink link;

    void SetUp() override {
        link.setOptions(LinkOptions{peer.devicePath(), RtsControl::Manual});
        ASSERT_TRUE(link.openPort(settingsFor()).ok());
        ASSERT_TRUE(link.isOpen());
    }
};

TEST_F(LinkToPeer, SetsUpARawLine) {
    // A pseudo-terminal keeps no character format (it forces 8 bits without
    // parity); the rest of the settings must be ours.
    termios tio{};
    ASSERT_EQ(tcgetattr(peer.slaveFd(), &tio), 0);
    EXPECT_FALSE(tio.c_cflag & CSTOPB);
    EXPECT_FALSE(tio.c_cflag & CRTSCTS);
    EXPECT_TRUE(tio.c_cflag & CLOCAL);
    EXPECT_FALSE(tio.c_iflag & (IXON | IXOFF | ICRNL | IGNCR | ISTRIP));
    EXPECT_TRUE(tio.c_iflag & PARMRK);
    EXPECT_TRUE(tio.c_iflag & INPCK);
    EXPECT_FALSE(tio.c_lflag & (ICANON | ECHO | ISIG));
    EXPECT_FALSE(tio.c_oflag & OPOST);
    EXPECT_EQ(cfgetospeed(&tio), static_cast<speed_t>(B9600));
}

TEST_F(LinkToPeer, SendsTheFrame) {
    EXPECT_TRUE(link.sendFrame("R01a05\r").ok());
    EXPECT_EQ(peer.receiveRequest(), "R01a05\r");
}

TEST_F(LinkToPeer, KeepsTheReplyUpToTheCarriageReturnAndDiscardsTheRest) {
    link.sendFrame("R01a05\r");
    peer.receiveRequest();
    peer.send("*01a050012\rXYZ");
    link.receiveReply();
    EXPECT_EQ(link.reply(), "*01a050012");
    // The characters after the carriage return were dropped with the input.
    link.receiveReply();
    EXPECT_EQ(link.reply(), "");
}

TEST_F(LinkToPeer, JoinsAReplySplitOverSeveralReads) {
    link.sendFrame("R01a05\r");
    peer.receiveRequest();
    std::thread unit([&] {
        peer.send("*01a");
        std::this_thread::sleep_for(10ms);
        peer.send("0500");
        std::this_thread::sleep_for(10ms);
        peer.send("12\r");
    });
    link.receiveReply();
    unit.join();
    EXPECT_EQ(link.reply(), "*01a050012");
}

TEST_F(LinkToPeer, NoAnswerGivesAnEmptyReplyAfterTheTimeout) {
    link.sendFrame("R01a05\r");
    const auto began = LineClock::now();
    link.receiveReply();
    EXPECT_GE(LineClock::now() - began, 80ms);
    EXPECT_EQ(link.reply(), "");
}

TEST_F(LinkToPeer, AReplyWithoutCarriageReturnIsHandedOnAtTheTimeout) {
    link.sendFrame("R01a05\r");
    peer.receiveRequest();
    peer.send(std::string(50, 'Z'));
    link.receiveReply();
    EXPECT_EQ(link.reply(), std::string(39, 'Z'));
}

TEST_F(LinkToPeer, InputWaitingBeforeARequestIsDiscarded) {
    peer.send("*01a05STALE\r");
    std::this_thread::sleep_for(5ms);
    link.sendFrame("R01a05\r");
    peer.receiveRequest();
    peer.send("*01a050001\r");
    link.receiveReply();
    EXPECT_EQ(link.reply(), "*01a050001");
}

TEST_F(LinkToPeer, HoldsTheLineForTheFrameAndOneMoreCharacter) {
    ASSERT_TRUE(link.openPort(settingsFor(1200)).ok());
    const auto began = LineClock::now();
    link.sendFrame("W01a05000A\r");  // 11 characters, 12 with the hold: 100 ms at 1200 baud
    EXPECT_GE(LineClock::now() - began, characterTime(1200) * 12);
}

TEST_F(LinkToPeer, ReopeningTheSamePortWorksEveryTime) {
    for (int i = 0; i < 3; ++i) {
        const LinkReason reason = link.openPort(settingsFor());
        ASSERT_TRUE(reason.ok()) << linkMessage(reason).text;
    }
    link.sendFrame("S01I\r");
    EXPECT_EQ(peer.receiveRequest(), "S01I\r");
}

TEST_F(LinkToPeer, ASecondProgramCannotOpenThePortWhileItIsHeld) {
    UnitLink other;
    other.setOptions(LinkOptions{peer.devicePath(), RtsControl::Manual});
    const LinkReason refused = other.openPort(settingsFor());
    EXPECT_FALSE(other.isOpen());
    EXPECT_EQ(refused.failure, LinkFailure::OpenFailed);
    EXPECT_EQ(refused.error, EWOULDBLOCK);
    EXPECT_EQ(linkMessage(refused).text, kOpenFailed);
    // Once we let go, the other one gets it.
    link.closePort();
    EXPECT_TRUE(other.openPort(settingsFor()).ok());
    EXPECT_TRUE(other.isOpen());
}

TEST_F(LinkToPeer, KernelRs485ModeFallsBackWhereTheDriverHasNone) {
    link.setOptions(LinkOptions{peer.devicePath(), RtsControl::KernelRs485});
    const LinkReason note = link.openPort(settingsFor());
    ASSERT_TRUE(link.isOpen());
    EXPECT_EQ(note.failure, LinkFailure::NoKernelRs485);
    EXPECT_TRUE(note.portKept());
    EXPECT_EQ(linkMessage(note).icon, MessageIcon::Information);
    link.sendFrame("S01I\r");
    EXPECT_EQ(peer.receiveRequest(), "S01I\r");
}

TEST(UnitLinkOpen, AMissingDeviceIsReportedAndTheLinkActsAsASilentUnit) {
    UnitLink link;
    link.setOptions(LinkOptions{"/nonexistent/ttyZAT", RtsControl::Manual});
    const LinkReason reason = link.openPort(settingsFor(9600, 40));
    EXPECT_FALSE(link.isOpen());
    EXPECT_EQ(reason.failure, LinkFailure::OpenFailed);
    EXPECT_EQ(reason.error, ENOENT);
    EXPECT_EQ(linkMessage(reason).text, "Failed to open the comms port.\n/nonexistent/ttyZAT does not exist");
    EXPECT_EQ(linkMessage(reason).caption, "Error");
    EXPECT_EQ(linkMessage(reason).icon, MessageIcon::Stop);

    EXPECT_EQ(link.sendFrame("S01I\r").failure, LinkFailure::NotOpen);
    const auto began = LineClock::now();
    link.receiveReply();
    EXPECT_GE(LineClock::now() - began, 40ms);
    EXPECT_EQ(link.reply(), "");
}

// Frames sent into anything but a terminal would damage it (a regular file)
// or hang (a FIFO without a reader): each is refused and left as it was.
TEST(UnitLinkOpen, WhatIsNoTerminalIsRefusedAndNeverWritten) {
    test::TempDir dir;
    test::writeFile(dir.file("plain"), "root:x:0:0\n");
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
    ASSERT_EQ(::mkdir(dir.file("folder").c_str(), 0700), 0);
    ASSERT_EQ(::symlink(dir.file("plain").c_str(), dir.file("link").c_str()), 0);
    struct Case {
        std::string device;
        std::string message;
    };
    const std::string notATerminal = "Failed to get port state";
    for (const Case& c : {Case{dir.file("plain"), notATerminal}, Case{dir.file("link"), notATerminal},
                          Case{dir.file("fifo"), notATerminal}, Case{"/dev/null", notATerminal},
                          Case{dir.file("folder"), dir.file("folder") + " is a directory, not a serial port"}}) {
        SCOPED_TRACE(c.device);
        UnitLink link;
        link.setOptions(LinkOptions{c.device, RtsControl::Manual});
        const LinkReason reason = link.openPort(settingsFor(9600, 10));
        EXPECT_FALSE(link.isOpen());
        link.sendFrame("W01a05000A\r");
        link.receiveReply();
        EXPECT_EQ(linkMessage(reason).text, c.message);
    }
    EXPECT_EQ(test::readFile(dir.file("plain")), "root:x:0:0\n");
}

TEST(UnitLinkOpen, ARateTheDriverCannotSetIsReported) {
    PtyPeer peer;
    UnitLink link;
    link.setOptions(LinkOptions{peer.devicePath(), RtsControl::Manual});
    const LinkReason reason = link.openPort(settingsFor(1234));
    EXPECT_TRUE(link.isOpen());
    EXPECT_TRUE(reason.portKept());
    EXPECT_EQ(linkMessage(reason).text, "Failed to set port state");
    EXPECT_EQ(linkMessage(reason).caption, kApplicationTitle);
}

TEST(UnitLinkOpen, ThePortNumberNamesTheDeviceThroughTheEnvironment) {
    PtyPeer peer;
    ASSERT_EQ(setenv("ZAT_COM7", peer.devicePath().c_str(), 1), 0);
    UnitLink link;
    CommsSettings settings = settingsFor();
    settings.port = 7;
    EXPECT_TRUE(link.openPort(settings).ok());
    unsetenv("ZAT_COM7");
    EXPECT_TRUE(link.isOpen());
    EXPECT_EQ(link.devicePath(), peer.devicePath());
    link.sendFrame("S01I\r");
    EXPECT_EQ(peer.receiveRequest(), "S01I\r");
}

TEST(UnitLinkOpen, TimeoutTooShortForALateAnswerGivesAnEmptyReply) {
    sim::LineTiming timing;
    timing.lateMs = 150;
    CommsSettings comms = test::UnitOnPty::fastSettings();
    comms.timeOut = 100;
    test::UnitOnPty rig({}, timing, comms);
    rig.unit.injectNext(sim::Fault::Late);
    rig.link.sendFrame("S01I\r");
    rig.link.receiveReply();
    EXPECT_EQ(rig.link.reply(), "");
    // The late answer arriving now is not taken for the next reply.
    std::this_thread::sleep_for(80ms);
    rig.link.sendFrame("S01I\r");
    rig.link.receiveReply();
    EXPECT_EQ(rig.link.reply(), "*01I");
}

}  // namespace
}  // namespace zat
