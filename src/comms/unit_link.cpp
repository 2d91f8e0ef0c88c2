#include "comms/unit_link.h"

#include "comms/device_name.h"
#include "comms/net_transport.h"

#include <algorithm>
#include <cerrno>
#include <optional>
#include <poll.h>

namespace zat {

UnitLink::UnitLink() { setTraffic(nullptr); }

UnitLink::~UnitLink() { closePort(); }

void UnitLink::setTraffic(TrafficObserver* traffic) {
    static SilentTraffic silent;
    traffic_ = traffic != nullptr ? traffic : &silent;
}

LinkReason UnitLink::openPort(const CommsSettings& settings) {
    closePort();
    devicePath_ = options_.devicePath.empty() ? comPortDevicePath(settings.port) : options_.devicePath;
    baudRate_ = settings.baudRate;
    timeout_ = std::chrono::milliseconds(settings.timeOut);

    LinkReason reason;
    const std::optional<DeviceName> name = readDeviceName(devicePath_);
    if (!name) return LinkReason{LinkFailure::BadAddress, 0, devicePath_};
    if (name->kind == DeviceKind::Terminal) {
        transport_ = SerialTransport::open(devicePath_, settings, options_.rts, reason);
    } else {
        transport_ = NetTransport::open(*name, devicePath_, settings, reason);
    }
    return reason;
}

void UnitLink::closePort() { transport_.reset(); }

LinkReason UnitLink::sendFrame(std::string_view request) {
    if (!transport_) {
        return LinkReason{LinkFailure::NotOpen, 0, devicePath_};
    }
    const auto frameTime = characterTime(baudRate_) * static_cast<std::int64_t>(request.size() + 1);
    LinkReason reason = transport_->send(request, LineClock::now() + frameTime + timeout_);
    // The unit's time to answer starts once the request has reached it.
    replyWaitBegins_ = LineClock::now() + transport_->stillOnTheWay(request.size());
    return reason;
}

LinkReason UnitLink::receiveReply(std::size_t expectedLength) {
    collector_.reset();
    const auto deadline = std::max(LineClock::now(), replyWaitBegins_) + timeout_;
    replyWaitBegins_ = {};
    LinkReason reason;
    if (!transport_) {
        sleepUntil(deadline);  // a closed port answers like a silent unit
        return LinkReason{LinkFailure::NotOpen, 0, devicePath_};
    }
    std::string received;
    std::size_t fed = 0;
    std::optional<LineClock::time_point> restOnTheLine;  // when the expected rest can have crossed the line
    while (!collector_.complete()) {
        if (restOnTheLine && LineClock::now() < *restOnTheLine) {
            // The rest cannot come faster than the line carries it. Counted
            // from the first piece, not from each: a serial server holds
            // what has crossed until we have read the piece before it.
            sleepUntil(std::min(*restOnTheLine, deadline));
        }
        const auto now = LineClock::now();
        if (now > deadline) break;
        pollfd p{transport_->descriptor(), POLLIN, 0};
        const timespec wait = toTimespec(deadline - now);
        const int ready = ::ppoll(&p, 1, &wait, nullptr);
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) break;  // timed out
        received.clear();
        reason = transport_->receive(received);
        if (!reason.ok()) {
            // The device or the connection has gone (a hung-up line, an
            // unplugged adapter, a server that closed): wait out the timeout
            // as for a silent unit instead of spinning, and keep it closed.
            reason.device = devicePath_;
            closePort();
            sleepUntil(deadline);
            break;
        }
        if (fed == 0 && !received.empty() && received.size() < expectedLength) {
            restOnTheLine = LineClock::now() +
                            characterTime(baudRate_) * static_cast<std::int64_t>(expectedLength - received.size());
        }
        fed += received.size();
        collector_.feed(received);
    }
    if (transport_) transport_->discardInput();
    return reason;
}

}  // namespace zat
