// The one connection to the unit. On a serial device it is a two-wire
// half-duplex bus: RTS enables our transmitter for the length of a request
// and is dropped once the last character has left, so the unit can answer.
// Behind a serial server (rfc2217:// or tcp://) the server does that.
#pragma once

#include "comms/line_timing.h"
#include "comms/link_reason.h"
#include "comms/link_transport.h"
#include "comms/reply_collector.h"
#include "comms/serial_transport.h"
#include "model/config_database.h"
#include "userio/traffic.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace zat {

struct LinkOptions {
    std::string devicePath;  // when set, used instead of the port number's device
    RtsControl rts = RtsControl::Manual;
};

class UnitLink {
public:
    UnitLink();
    ~UnitLink();
    UnitLink(const UnitLink&) = delete;
    UnitLink& operator=(const UnitLink&) = delete;

    void setOptions(LinkOptions options) { options_ = std::move(options); }
    const LinkOptions& options() const { return options_; }
    // Where the protocol reports every exchange over this link; the link
    // itself reports nothing.
    void setTraffic(TrafficObserver* traffic);
    TrafficObserver& traffic() { return *traffic_; }

    // Closes the port if open, then opens the device (a path or a serial
    // server's address) for these settings. Only a character device that is
    // a terminal is opened; anything else is refused unwritten. Returns why
    // it failed, for the caller to show; a port that could not be opened
    // behaves as a silent unit. A reason whose portKept() is true leaves the
    // port open.
    [[nodiscard]] LinkReason openPort(const CommsSettings& settings);
    void closePort();
    bool isOpen() const { return transport_ != nullptr; }
    // The device the last openPort tried.
    const std::string& devicePath() const { return devicePath_; }

    // Sends one request (which ends in a carriage return). The protocol
    // judges an exchange by its reply; the reason only says why none can
    // come (the port is not open, the connection was lost).
    LinkReason sendFrame(std::string_view request);
    // Collects one reply up to its carriage return or the reply timeout.
    // expectedLength (carriage return included), when known, lets the link
    // sleep while the rest of the reply is still on the line instead of
    // waking for every character; it never changes what is collected. A
    // device or connection that goes away closes the port and is waited out
    // like a silent unit.
    LinkReason receiveReply(std::size_t expectedLength = 0);
    // The last reply, without its carriage return; empty if nothing came.
    const std::string& reply() const { return collector_.reply(); }
    // Whether the last reply ended in its carriage return; one cut short by
    // the timeout may look like a sound reply but is not one.
    bool replyComplete() const { return collector_.complete(); }

    // A long operation (a transfer, a register or calibration file) holds the
    // link while it runs: the monitors skip their ticks meanwhile, and reload
    // their pages once it has ended, since it may have changed type words
    // and register codes.
    class OperationHold {
    public:
        explicit OperationHold(UnitLink& link) : link_(link) { ++link_.holds_; }
        ~OperationHold() {
            --link_.holds_;
            ++link_.holdsEnded_;
        }
        OperationHold(const OperationHold&) = delete;
        OperationHold& operator=(const OperationHold&) = delete;

    private:
        UnitLink& link_;
    };
    bool held() const { return holds_ > 0; }

    // Whether the unit's last read over this link got no reply at all; the
    // monitors' shared back-off (LinkHealth) keeps it.
    bool unitSilent() const { return unitSilent_; }
    void setUnitSilent(bool silent) { unitSilent_ = silent; }

    // Runs before each exchange of a polling batch (a page load, a tick) and
    // between its tries: a window lets its waiting events through there, so
    // a long batch never holds its event loop for more than one exchange.
    void setBetweenExchanges(std::function<void()> hook) { betweenExchanges_ = std::move(hook); }
    void betweenExchanges() {
        if (betweenExchanges_) betweenExchanges_();
    }
    // Counts the holds that have ended; a monitor that saw another count
    // reloads its page.
    unsigned holdsEnded() const { return holdsEnded_; }

private:
    TrafficObserver* traffic_;
    LinkOptions options_;
    std::string devicePath_;
    std::unique_ptr<LinkTransport> transport_;
    int baudRate_ = 9600;
    std::chrono::milliseconds timeout_{250};
    LineClock::time_point replyWaitBegins_{};
    ReplyCollector collector_;
    int holds_ = 0;
    unsigned holdsEnded_ = 0;
    bool unitSilent_ = false;
    std::function<void()> betweenExchanges_;
};

}  // namespace zat
