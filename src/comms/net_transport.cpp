#include "comms/net_transport.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace zat {

namespace {

struct AddressList {
    addrinfo* first = nullptr;
    ~AddressList() {
        if (first != nullptr) ::freeaddrinfo(first);
    }
};

// Waits for the descriptor to be ready for `events` up to `giveUp`.
bool waitFor(int fd, short events, LineClock::time_point giveUp) {
    for (;;) {
        pollfd p{fd, events, 0};
        const timespec wait = toTimespec(giveUp - LineClock::now());
        const int ready = ::ppoll(&p, 1, &wait, nullptr);
        if (ready < 0 && errno == EINTR) continue;
        return ready > 0;
    }
}

// One connection attempt without blocking beyond `giveUp`; the descriptor,
// or -1 with errno set.
int connectTo(const addrinfo& address, LineClock::time_point giveUp) {
    const int fd = ::socket(address.ai_family, address.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, address.ai_protocol);
    if (fd < 0) return -1;
    int error = 0;
    if (::connect(fd, address.ai_addr, address.ai_addrlen) != 0) {
        error = errno;
        if (error == EINPROGRESS) {
            socklen_t length = sizeof error;
            if (!waitFor(fd, POLLOUT, giveUp)) {
                error = ETIMEDOUT;
            } else if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0) {
                error = errno;
            }
        }
    }
    if (error != 0) {
        ::close(fd);
        errno = error;
        return -1;
    }
    // Frames are short and each waits for its reply: send them at once.
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    return fd;
}

}  // namespace

NetTransport::NetTransport(int fd, const std::string& device, int baudRate, bool telnet)
    : fd_(fd), device_(device), baudRate_(baudRate) {
    if (telnet) telnet_.emplace();
}

NetTransport::~NetTransport() { ::close(fd_); }

std::unique_ptr<NetTransport> NetTransport::open(const DeviceName& name, const std::string& device,
                                                 const CommsSettings& settings, LinkReason& reason) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV | AI_ADDRCONFIG;
    AddressList addresses;
    if (const int error = ::getaddrinfo(name.host.c_str(), name.port.c_str(), &hints, &addresses.first); error != 0) {
        reason = LinkReason{LinkFailure::HostNotFound, error, device};
        return nullptr;
    }
    const auto giveUp = LineClock::now() + kConnectTimeout;
    int fd = -1;
    int error = 0;
    for (const addrinfo* a = addresses.first; a != nullptr && fd < 0; a = a->ai_next) {
        fd = connectTo(*a, giveUp);
        if (fd < 0) error = errno;
    }
    if (fd < 0) {
        reason = LinkReason{LinkFailure::ConnectFailed, error, device};
        return nullptr;
    }
    std::unique_ptr<NetTransport> transport(
        new NetTransport(fd, device, settings.baudRate, name.kind == DeviceKind::Rfc2217));
    if (transport->telnet_) {
        reason = transport->setUpPort(LineClock::now() + kConnectTimeout);
        if (!reason.ok()) return nullptr;
    }
    reason = {};
    return transport;
}

// Sends the settings and waits until the server has confirmed each. The baud
// rate must be ours; the character format is taken as the server reports it,
// as a driver that cannot carry it is on a local port (a pseudo-terminal
// behind the server keeps 8 bits without parity).
LinkReason NetTransport::setUpPort(LineClock::time_point giveUp) {
    if (auto sent = sendBytes(TelnetCodec::portSettingsRequest(static_cast<std::uint32_t>(baudRate_)), giveUp);
        !sent.ok()) {
        return sent;
    }
    std::string ignored;
    while (!telnet_->confirmed().complete() && !telnet_->comPortRefused()) {
        if (!waitFor(fd_, POLLIN, giveUp)) break;
        if (auto received = receive(ignored); !received.ok()) return received;
    }
    const ComPortSettings& confirmed = telnet_->confirmed();
    if (!confirmed.complete() || confirmed.baudRate != static_cast<std::uint32_t>(baudRate_)) {
        return LinkReason{LinkFailure::PortSettingsRefused, 0, device_};
    }
    return {};
}

LinkReason NetTransport::sendBytes(std::string_view bytes, LineClock::time_point giveUp) {
    while (!bytes.empty()) {
        // MSG_NOSIGNAL: a closed connection is a reason, not a SIGPIPE.
        const ssize_t sent = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(sent));
            continue;
        }
        if (sent < 0 && errno == EINTR) continue;
        if (sent < 0 && errno != EAGAIN) return lost(errno);
        if (!waitFor(fd_, POLLOUT, giveUp)) return {};  // shows up as a missing reply
    }
    return {};
}

LinkReason NetTransport::send(std::string_view request, LineClock::time_point giveUp) {
    discardInput();
    LinkReason reason = sendBytes(telnet_ ? TelnetCodec::escape(request) : std::string(request), giveUp);
    acknowledgeAtOnce();  // before the reply's first character arrives
    return reason;
}

// A server that sends each character as it leaves the line and waits for
// our acknowledgement before the next (Nagle's rule, ser2net's default)
// would otherwise wait out our delayed acknowledgement, up to 40 ms, within
// every reply. Sending a request puts the connection in interactive mode,
// where acknowledgements are delayed; this leaves it, so that each read
// acknowledges what it took at once.
void NetTransport::acknowledgeAtOnce() {
    const int on = 1;
    ::setsockopt(fd_, IPPROTO_TCP, TCP_QUICKACK, &on, sizeof on);
}

LinkReason NetTransport::receive(std::string& data) {
    std::array<char, 256> chunk{};
    const ssize_t got = ::recv(fd_, chunk.data(), chunk.size(), 0);
    if (got == 0) return lost(0);
    if (got < 0) return errno == EAGAIN || errno == EINTR ? LinkReason{} : lost(errno);
    const std::string_view bytes(chunk.data(), static_cast<std::size_t>(got));
    if (!telnet_) {
        data.append(bytes);
        return {};
    }
    telnet_->feed(bytes, data);
    if (const std::string answers = telnet_->takeAnswers(); !answers.empty()) {
        return sendBytes(answers, LineClock::now() + kConnectTimeout);
    }
    return {};
}

void NetTransport::discardInput() {
    // What came late for an earlier request; the server's requests in it
    // are still answered.
    // A bounded number of reads, so a peer that never stops sending cannot
    // hold the link here.
    constexpr int kMostReads = 64;
    std::string dropped;
    pollfd p{fd_, POLLIN, 0};
    for (int reads = 0; reads<kMostReads&& ::poll(&p, 1, 0)> 0 && (p.revents & POLLIN) != 0; ++reads) {
        if (!receive(dropped).ok()) return;  // the next receive reports it
        dropped.clear();
    }
}

LineClock::duration NetTransport::stillOnTheWay(std::size_t requestLength) const {
    return characterTime(baudRate_) * static_cast<std::int64_t>(requestLength);
}

}  // namespace zat
