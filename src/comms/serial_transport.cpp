#include "comms/serial_transport.h"

#include "comms/line_settings.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace zat {

namespace {

LinkReason failure(LinkFailure what, const std::string& device, int error = 0) {
    return LinkReason{what, error, device};
}

// A device that is not a terminal is never kept open: it is refused as a
// port whose state cannot be read, or, for a folder, as a folder, since "in
// use" would send the user looking in the wrong place.
LinkReason notATerminal(bool directory, const std::string& device) {
    return failure(directory ? LinkFailure::Directory : LinkFailure::NotATerminal, device);
}

}  // namespace

std::unique_ptr<SerialTransport> SerialTransport::open(const std::string& device, const CommsSettings& settings,
                                                       RtsControl rts, LinkReason& reason) {
    // Only a terminal is ever written to: frames sent into a regular file
    // (say --device /etc/passwd) would damage it. A quick look first spares
    // other kinds of file even the open, whose side effects we cannot know;
    // the descriptor is checked again once open, as the name may change.
    struct stat named {};
    if (::stat(device.c_str(), &named) == 0 && !S_ISCHR(named.st_mode)) {
        reason = notATerminal(S_ISDIR(named.st_mode), device);
        return nullptr;
    }
    // Non-blocking, so that neither a FIFO nor a modem line without carrier
    // can hold the open.
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        reason = errno == EISDIR ? notATerminal(true, device) : failure(LinkFailure::OpenFailed, device, errno);
        return nullptr;
    }
    struct stat opened {};
    termios state{};
    if (::fstat(fd, &opened) != 0 || !S_ISCHR(opened.st_mode) || ::tcgetattr(fd, &state) != 0) {
        ::close(fd);
        reason = notATerminal(S_ISDIR(opened.st_mode), device);
        return nullptr;
    }
    // The advisory lock keeps a second program (even one run by root, which
    // exclusive mode does not stop) from interleaving its frames with ours.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        reason = failure(LinkFailure::OpenFailed, device, errno);
        ::close(fd);
        return nullptr;
    }
    std::unique_ptr<SerialTransport> transport(new SerialTransport(fd, settings.baudRate));
    ::ioctl(fd, TIOCEXCL);  // not every device has it; the lock above still holds

    reason = transport->configureLine(settings);
    if (!reason.ok()) {
        reason.device = device;
        return transport;  // open, as a line whose settings were refused
    }

    transport->manualRts_ = rts == RtsControl::Manual;
    if (!transport->manualRts_) {
        serial_rs485 found{};
        serial_rs485 rs485{};
        rs485.flags = SER_RS485_ENABLED | SER_RS485_RTS_ON_SEND;
        if (::ioctl(fd, TIOCGRS485, &found) == 0 && ::ioctl(fd, TIOCSRS485, &rs485) == 0) {
            transport->rs485Found_ = found;  // given back on close
        } else {
            transport->manualRts_ = true;
            reason = failure(LinkFailure::NoKernelRs485, device, errno);
        }
    }
    if (transport->manualRts_) transport->setRts(false);  // leave the bus to the unit until we send
    return transport;
}

LinkReason SerialTransport::configureLine(const CommsSettings& settings) {
    termios tio{};
    if (::tcgetattr(fd_, &tio) != 0) return LinkReason{LinkFailure::NotATerminal, errno, {}};
    termios wanted = tio;
    bool held = makeUnitLine(wanted, settings.baudRate);
    int error = 0;
    if (held && ::tcsetattr(fd_, TCSANOW, &wanted) != 0) {
        error = errno;
        // Some drivers refuse a request that changes only what they cannot
        // carry; what counts is whether the line now is as asked.
        termios now{};
        held = ::tcgetattr(fd_, &now) == 0 && unitLineHeld(wanted, now);
    }
    if (!held) return LinkReason{LinkFailure::SetStateFailed, error, {}};
    return {};
}

SerialTransport::~SerialTransport() {
    // The driver's RS-485 mode outlives our descriptor: leave it as found.
    if (rs485Found_) ::ioctl(fd_, TIOCSRS485, &*rs485Found_);
    // Exclusive mode belongs to the terminal, not to our descriptor: lift it,
    // or the next open is refused while anyone else still holds the device.
    ::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
}

void SerialTransport::setRts(bool on) {
    // Pseudo-terminals and USB gadget ports have no modem lines; the request
    // then fails with ENOTTY or EINVAL and there is nothing to switch.
    int bits = TIOCM_RTS;
    ::ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &bits);
}

void SerialTransport::writeAll(std::string_view bytes, LineClock::time_point giveUp) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
        if (written > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(written));
            continue;
        }
        if (written < 0 && errno == EINTR) continue;
        if (written < 0 && errno != EAGAIN) return;  // shows up as a missing reply
        pollfd p{fd_, POLLOUT, 0};
        const timespec wait = toTimespec(giveUp - LineClock::now());
        if (::ppoll(&p, 1, &wait, nullptr) <= 0) return;
    }
}

void SerialTransport::discardInput() { ::tcflush(fd_, TCIFLUSH); }

LinkReason SerialTransport::send(std::string_view request, LineClock::time_point giveUp) {
    ::tcflush(fd_, TCIOFLUSH);
    if (manualRts_) setRts(true);
    const auto writeBegan = LineClock::now();
    writeAll(request, giveUp);
    ::tcdrain(fd_);
    sleepUntil(transmitterReleaseTime(writeBegan, LineClock::now(), request.size(), baudRate_));
    if (manualRts_) setRts(false);
    return {};
}

LinkReason SerialTransport::receive(std::string& data) {
    std::array<char, 64> chunk{};
    const ssize_t got = ::read(fd_, chunk.data(), chunk.size());
    if (got > 0) {
        data.append(chunk.data(), static_cast<std::size_t>(got));
        return {};
    }
    if (got < 0 && (errno == EAGAIN || errno == EINTR)) return {};
    // A hung-up line, an unplugged adapter.
    return LinkReason{LinkFailure::ConnectionLost, got < 0 ? errno : 0, {}};
}

}  // namespace zat
