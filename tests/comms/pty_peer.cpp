#include "pty_peer.h"

#include <poll.h>
#include <pty.h>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

namespace zat::test {

PtyPeer::PtyPeer() {
    if (openpty(&master_, &slave_, nullptr, nullptr, nullptr) != 0) throw std::runtime_error("openpty failed");
    termios tio{};
    tcgetattr(slave_, &tio);
    cfmakeraw(&tio);
    tcsetattr(slave_, TCSANOW, &tio);
    path_ = ttyname(slave_);
}

PtyPeer::~PtyPeer() {
    close(master_);
    close(slave_);
}

void PtyPeer::send(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = write(master_, bytes.data(), bytes.size());
        if (n <= 0) throw std::runtime_error("write to the pseudo-terminal failed");
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

std::string PtyPeer::receiveRequest(std::chrono::milliseconds within) {
    std::string got;
    const auto deadline = std::chrono::steady_clock::now() + within;
    while (got.find('\r') == std::string::npos) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) break;
        pollfd p{master_, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left.count())) <= 0) break;
        char buffer[64];
        const ssize_t n = read(master_, buffer, sizeof buffer);
        if (n <= 0) break;
        got.append(buffer, static_cast<std::size_t>(n));
    }
    return got;
}

}  // namespace zat::test
