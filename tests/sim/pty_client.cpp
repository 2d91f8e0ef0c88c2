#include "pty_client.h"

#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace zat::sim::test {

PtyClient::PtyClient(const std::string& path) : fd_(open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC)) {
    termios settings{};
    if (fd_ >= 0 && tcgetattr(fd_, &settings) == 0) {
        cfmakeraw(&settings);
        tcsetattr(fd_, TCSANOW, &settings);
    }
}

PtyClient::~PtyClient() {
    if (fd_ >= 0) close(fd_);
}

void PtyClient::send(std::string_view bytes) const {
    while (!bytes.empty()) {
        const ssize_t written = write(fd_, bytes.data(), bytes.size());
        if (written <= 0) return;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

std::string PtyClient::readReply(int timeoutMs) const {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::string reply;
    while (reply.empty() || reply.back() != '\r') {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd readable{fd_, POLLIN, 0};
        if (left <= 0 || poll(&readable, 1, static_cast<int>(left)) <= 0) break;
        char c = 0;
        if (read(fd_, &c, 1) != 1) break;
        reply += c;
    }
    return reply;
}

std::string PtyClient::ask(std::string_view request, int timeoutMs) const {
    send(request);
    return readReply(timeoutMs);
}

}  // namespace zat::sim::test
