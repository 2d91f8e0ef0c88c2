#include "comms/unit_link.h"

#include "comms/device_name.h"
#include "comms/line_settings.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace zat {

namespace {

constexpr std::string_view kOpenFailedLine = "Failed to open the comms port.\n";
constexpr std::string_view kInUse = "It may be in use by another application";
constexpr std::string_view kGetStateFailed = "Failed to get port state";
constexpr std::string_view kSetStateFailed = "Failed to set port state";
constexpr std::string_view kNoRs485 =
    "The serial driver does not offer RS-485 mode.\nRTS is switched by this program instead.";

timespec toTimespec(LineClock::duration d) {
    if (d < LineClock::duration::zero()) d = LineClock::duration::zero();
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(d);
    timespec t{};
    t.tv_sec = static_cast<time_t>(seconds.count());
    t.tv_nsec = static_cast<long>(std::chrono::duration_cast<std::chrono::nanoseconds>(d - seconds).count());
    return t;
}

}  // namespace

UnitLink::UnitLink(Prompts& prompts) : prompts_(prompts) { setTraffic(nullptr); }

UnitLink::~UnitLink() { closePort(); }

void UnitLink::setTraffic(TrafficObserver* traffic) {
    static SilentTraffic silent;
    traffic_ = traffic != nullptr ? traffic : &silent;
}

void UnitLink::openPort(const CommsSettings& settings) {
    closePort();
    devicePath_ = options_.devicePath.empty() ? comPortDevicePath(settings.port) : options_.devicePath;
    baudRate_ = settings.baudRate;
    timeout_ = std::chrono::milliseconds(settings.timeOut);
    manualRts_ = options_.rts == RtsControl::Manual;

    // Only a terminal is ever written to: frames sent into a regular file
    // (say --device /etc/passwd) would damage it. A quick look first spares
    // other kinds of file even the open, whose side effects we cannot know;
    // the descriptor is checked again once open, as the name may change.
    struct stat named {};
    if (::stat(devicePath_.c_str(), &named) == 0 && !S_ISCHR(named.st_mode)) {
        refuseDevice(S_ISDIR(named.st_mode));
        return;
    }
    // Non-blocking, so that neither a FIFO nor a modem line without carrier
    // can hold the open.
    const int fd = ::open(devicePath_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if (error == EISDIR) {
            refuseDevice(true);
        } else if (error == ENOENT || error == ENODEV || error == ENXIO) {
            // "In use" would send the user looking for another program.
            showOpenFailed(devicePath_ + " does not exist");
        } else {
            showOpenFailed(kInUse);
        }
        return;
    }
    struct stat opened {};
    termios state{};
    if (::fstat(fd, &opened) != 0 || !S_ISCHR(opened.st_mode) || ::tcgetattr(fd, &state) != 0) {
        ::close(fd);
        refuseDevice(S_ISDIR(opened.st_mode));
        return;
    }
    // The advisory lock keeps a second program (even one run by root, which
    // exclusive mode does not stop) from interleaving its frames with ours.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        showOpenFailed(kInUse);
        return;
    }
    fd_ = fd;
    ::ioctl(fd_, TIOCEXCL);  // not every device has it; the lock above still holds

    if (!configureLine(settings)) return;

    if (!manualRts_) {
        serial_rs485 found{};
        serial_rs485 rs485{};
        rs485.flags = SER_RS485_ENABLED | SER_RS485_RTS_ON_SEND;
        if (::ioctl(fd_, TIOCGRS485, &found) == 0 && ::ioctl(fd_, TIOCSRS485, &rs485) == 0) {
            rs485Found_ = found;  // given back on close
        } else {
            manualRts_ = true;
            prompts_.show(kNoRs485, kApplicationTitle, MessageIcon::Information, MessageButtons::Ok);
        }
    }
    if (manualRts_) setRts(false);  // leave the bus to the unit until we send
}

void UnitLink::showOpenFailed(std::string_view why) {
    prompts_.show(std::string(kOpenFailedLine) + std::string(why), "Error", MessageIcon::Stop, MessageButtons::Ok);
}

// A device that is not a terminal is never kept open: it is refused with the
// message of a port whose state cannot be read, or, for a folder, one that
// says so, since "in use" would send the user looking in the wrong place.
void UnitLink::refuseDevice(bool directory) {
    if (directory) {
        prompts_.show(devicePath_ + " is a directory, not a serial port", "Error", MessageIcon::Stop,
                      MessageButtons::Ok);
    } else {
        prompts_.show(kGetStateFailed, kApplicationTitle, MessageIcon::None, MessageButtons::Ok);
    }
}

bool UnitLink::configureLine(const CommsSettings& settings) {
    termios tio{};
    if (::tcgetattr(fd_, &tio) != 0) {
        prompts_.show(kGetStateFailed, kApplicationTitle, MessageIcon::None, MessageButtons::Ok);
        return false;
    }
    termios wanted = tio;
    bool held = makeUnitLine(wanted, settings.baudRate);
    if (held && ::tcsetattr(fd_, TCSANOW, &wanted) != 0) {
        // Some drivers refuse a request that changes only what they cannot
        // carry; what counts is whether the line now is as asked.
        termios now{};
        held = ::tcgetattr(fd_, &now) == 0 && unitLineHeld(wanted, now);
    }
    if (!held) {
        prompts_.show(kSetStateFailed, kApplicationTitle, MessageIcon::None, MessageButtons::Ok);
        return false;
    }
    return true;
}

void UnitLink::closePort() {
    if (fd_ < 0) return;
    // The driver's RS-485 mode outlives our descriptor: leave it as found.
    if (rs485Found_) ::ioctl(fd_, TIOCSRS485, &*rs485Found_);
    rs485Found_.reset();
    // Exclusive mode belongs to the terminal, not to our descriptor: lift it,
    // or the next open is refused while anyone else still holds the device.
    ::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
}

void UnitLink::setRts(bool on) {
    // Pseudo-terminals and USB gadget ports have no modem lines; the request
    // then fails with ENOTTY or EINVAL and there is nothing to switch.
    int bits = TIOCM_RTS;
    ::ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &bits);
}

void UnitLink::writeAll(std::string_view bytes, LineClock::time_point giveUp) {
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

void UnitLink::discardInput() { ::tcflush(fd_, TCIFLUSH); }

void UnitLink::sendFrame(std::string_view request) {
    const std::string_view shown = request.substr(0, request.find('\r'));
    if (fd_ < 0) {
        traffic_->requestSent(shown);
        return;
    }
    ::tcflush(fd_, TCIOFLUSH);
    if (manualRts_) setRts(true);
    const auto writeBegan = LineClock::now();
    const auto frameTime = characterTime(baudRate_) * static_cast<std::int64_t>(request.size() + 1);
    writeAll(request, writeBegan + frameTime + timeout_);
    traffic_->requestSent(shown);
    ::tcdrain(fd_);
    const auto release = transmitterReleaseTime(writeBegan, LineClock::now(), request.size(), baudRate_);
    sleepUntil(release);
    if (manualRts_) setRts(false);
}

void UnitLink::receiveReply(std::size_t expectedLength) {
    collector_.reset();
    const auto deadline = LineClock::now() + timeout_;
    if (fd_ < 0) {
        sleepUntil(deadline);  // a closed port answers like a silent unit
        traffic_->replyReceived(collector_.reply());
        return;
    }
    std::array<char, 64> chunk{};
    std::size_t received = 0;
    while (!collector_.complete()) {
        if (received > 0 && received < expectedLength) {
            // The rest cannot come faster than the line carries it.
            const auto restOnTheLine = characterTime(baudRate_) * static_cast<std::int64_t>(expectedLength - received);
            sleepUntil(std::min(LineClock::now() + restOnTheLine, deadline));
        }
        const auto now = LineClock::now();
        if (now > deadline) break;
        pollfd p{fd_, POLLIN, 0};
        const timespec wait = toTimespec(deadline - now);
        const int ready = ::ppoll(&p, 1, &wait, nullptr);
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) break;  // timed out
        const ssize_t got = ::read(fd_, chunk.data(), chunk.size());
        if (got > 0) {
            received += static_cast<std::size_t>(got);
            collector_.feed(std::string_view(chunk.data(), static_cast<std::size_t>(got)));
        } else if (got == 0 || (errno != EAGAIN && errno != EINTR)) {
            // The device has gone (a hung-up line, an unplugged adapter):
            // wait out the timeout as for a silent unit instead of spinning.
            sleepUntil(deadline);
            break;
        }
    }
    discardInput();
    traffic_->replyReceived(collector_.reply());
}
}  // namespace zat
