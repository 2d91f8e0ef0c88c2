// The link to a unit behind a serial server: a real ser2net in front of the
// simulated unit, and servers that misbehave. Loopback only.
#include "comms/net_transport.h"
#include "comms/protocol.h"
#include "comms/unit_link.h"
#include "support/recording_user_io.h"
#include "support/ser2net_rig.h"

#include <arpa/inet.h>
#include <atomic>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace zat {
namespace {

using namespace std::chrono_literals;

constexpr std::string_view kNoAnswer = "Unable to communicate with ZAT\nCheck baud rate and address and try again";

CommsSettings settingsAt(int baudRate) {
    CommsSettings settings;
    settings.address = 1;
    settings.baudRate = baudRate;
    settings.timeOut = 100;
    settings.retries = 1;
    return settings;
}

struct Link {
    test::RecordingUserIo user;
    CommsSettings settings;
    UnitLink link;
    UnitProtocol protocol{link, settings, user.prompts, user.beep};

    Link(const std::string& device, CommsSettings comms) : settings(comms) {
        link.setOptions(LinkOptions{device, RtsControl::Manual});
    }
};

double secondsSince(LineClock::time_point began) {
    return std::chrono::duration<double>(LineClock::now() - began).count();
}

TEST(SerialServer, Rfc2217SetsTheServersPortToTheSettings) {
    test::Ser2netRig server;
    for (const auto& [rate, speed] : {std::pair{4800, B4800}, std::pair{9600, B9600}, std::pair{19200, B19200}}) {
        SCOPED_TRACE(rate);
        Link rig(server.rfc2217Device(), settingsAt(rate));
        const LinkReason reason = rig.link.openPort(rig.settings);
        ASSERT_TRUE(reason.ok()) << linkMessage(reason).text;
        EXPECT_EQ(rig.protocol.checkUnit(true), Outcome::Ok);
        // What ser2net set on the device it opened. A pseudo-terminal keeps
        // the rate and the parity's sense but forces 8 bits without parity,
        // so odd parity shows as PARODD alone.
        const int fd = ::open(server.telnetUnit.devicePath().c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
        ASSERT_GE(fd, 0);
        termios tio{};
        ASSERT_EQ(::tcgetattr(fd, &tio), 0);
        ::close(fd);
        EXPECT_EQ(cfgetospeed(&tio), speed);
        EXPECT_TRUE(tio.c_cflag & PARODD);
        EXPECT_FALSE(tio.c_cflag & CSTOPB);
    }
}

// ser2net removes its pid file on exit: the rig's must be its own (once it
// was /dev/null, which every ser2net stopped took away).
TEST(SerialServer, TheServerStopsWithoutTouchingAnythingOutsideItsFolder) {
    { test::Ser2netRig server; }
    struct stat null {};
    ASSERT_EQ(::stat("/dev/null", &null), 0);
    EXPECT_TRUE(S_ISCHR(null.st_mode));
}

TEST(SerialServer, ARefusedServerIsToldAtOnce) {
    const std::string port = std::to_string(test::freeLoopbackPort());
    for (const std::string& device : {"rfc2217://127.0.0.1:" + port, "tcp://127.0.0.1:" + port}) {
        Link rig(device, settingsAt(9600));
        const auto began = LineClock::now();
        const LinkReason reason = rig.link.openPort(rig.settings);
        EXPECT_LT(secondsSince(began), 1.0);
        EXPECT_EQ(reason.failure, LinkFailure::ConnectFailed);
        EXPECT_EQ(linkMessage(reason).text,
                  "Failed to connect to the serial server " + device + "\nConnection refused");
        EXPECT_FALSE(rig.link.isOpen());
    }
}

// A server that accepts one connection and then misbehaves.
enum class Misbehaviour { NeverAnswers, TalksTelnetGarbage, ClosesAtOnce };

class HostileServer {
public:
    explicit HostileServer(Misbehaviour how) : port_(test::freeLoopbackPort()) {
        listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const int on = 1;
        ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(port_));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(listener_, 1) != 0) {
            throw std::runtime_error("cannot listen");
        }
        thread_ = std::thread([this, how] { serve(how); });
    }
    ~HostileServer() {
        stop_ = true;
        ::shutdown(listener_, SHUT_RDWR);
        thread_.join();
        ::close(listener_);
    }
    std::string address() const { return "127.0.0.1:" + std::to_string(port_); }

private:
    void serve(Misbehaviour how) {
        const int peer = ::accept(listener_, nullptr, nullptr);
        if (peer < 0) return;
        // Options asked for again and again, a subnegotiation that never
        // ends, an unknown COM-PORT-OPTION answer: never a confirmation.
        static constexpr char kGarbage[] =
            "\xFF\xFD\x01\xFF\xFB\x01\xFF\xFD\x2C\xFF\xFA\x2C\x70\x00\xFF\xF0\xFF\xF1"
            "\xFF\xFB\x05\xFF\xFA\x18\x01\x02\x03";
        const std::string garbage(kGarbage, sizeof kGarbage - 1);  // counted, for the NUL inside
        char sink[256];
        while (!stop_ && how != Misbehaviour::ClosesAtOnce) {
            if (how == Misbehaviour::TalksTelnetGarbage) ::send(peer, garbage.data(), garbage.size(), MSG_NOSIGNAL);
            if (::recv(peer, sink, sizeof sink, MSG_DONTWAIT) == 0) break;
            std::this_thread::sleep_for(5ms);
        }
        ::close(peer);
    }

    int port_;
    int listener_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

TEST(SerialServer, AServerThatMisbehavesIsToldWithinTheTimeoutAndNothingHangs) {
    struct Case {
        Misbehaviour how;
        const char* scheme;
        LinkFailure opening;  // none: the connection stands, the unit does not answer
    };
    const Case cases[] = {
        {Misbehaviour::NeverAnswers, "rfc2217://", LinkFailure::PortSettingsRefused},
        {Misbehaviour::NeverAnswers, "tcp://", LinkFailure::None},
        {Misbehaviour::TalksTelnetGarbage, "rfc2217://", LinkFailure::PortSettingsRefused},
        {Misbehaviour::TalksTelnetGarbage, "tcp://", LinkFailure::None},
        {Misbehaviour::ClosesAtOnce, "rfc2217://", LinkFailure::ConnectionLost},
        {Misbehaviour::ClosesAtOnce, "tcp://", LinkFailure::None},
    };
    for (const Case& c : cases) {
        HostileServer server(c.how);
        const std::string device = c.scheme + server.address();
        SCOPED_TRACE(device);
        Link rig(device, settingsAt(9600));
        const auto began = LineClock::now();
        const LinkReason reason = rig.link.openPort(rig.settings);
        EXPECT_EQ(reason.failure, c.opening) << linkMessage(reason).text;
        EXPECT_LT(secondsSince(began), 1.0);
        // Two tries of 100 ms each, and a little for the frames.
        EXPECT_EQ(rig.protocol.checkUnit(true), Outcome::Failed);
        EXPECT_LT(secondsSince(began), 1.5);
        ASSERT_EQ(rig.user.prompts.shown.size(), 1u);
        EXPECT_EQ(rig.user.prompts.shown[0].text, kNoAnswer);
    }
}

TEST(SerialServer, ALostConnectionFailsTheExchangeAndClosesThePort) {
    auto server = std::make_unique<test::Ser2netRig>();
    Link rig(server->rawDevice(), settingsAt(9600));
    ASSERT_TRUE(rig.link.openPort(rig.settings).ok());
    ASSERT_EQ(rig.protocol.checkUnit(false), Outcome::Ok);
    server->kill();
    const auto began = LineClock::now();
    EXPECT_EQ(rig.protocol.checkUnit(true), Outcome::Failed);
    EXPECT_LT(secondsSince(began), 0.5);
    EXPECT_FALSE(rig.link.isOpen());
    ASSERT_EQ(rig.user.prompts.shown.size(), 1u);
    EXPECT_EQ(rig.user.prompts.shown[0].text, kNoAnswer);
}

}  // namespace
}  // namespace zat
