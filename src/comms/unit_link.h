// The one connection to the unit: a serial device driven as a two-wire
// half-duplex bus. RTS enables our transmitter for the length of a request
// and is dropped once the last character has left, so the unit can answer.
#pragma once

#include "comms/line_timing.h"
#include "comms/reply_collector.h"
#include "model/config_database.h"
#include "userio/application_title.h"
#include "userio/prompts.h"
#include "userio/traffic.h"

#include <functional>
#include <linux/serial.h>
#include <optional>
#include <string>
#include <string_view>

namespace zat {

enum class RtsControl {
    Manual,       // we raise and drop RTS around every request
    KernelRs485,  // the driver's RS-485 mode drives RTS itself
};

struct LinkOptions {
    std::string devicePath;  // when set, used instead of the port number's device
    RtsControl rts = RtsControl::Manual;
};

class UnitLink {
public:
    explicit UnitLink(Prompts& prompts);
    ~UnitLink();
    UnitLink(const UnitLink&) = delete;
    UnitLink& operator=(const UnitLink&) = delete;

    void setOptions(LinkOptions options) { options_ = std::move(options); }
    const LinkOptions& options() const { return options_; }
    void setTraffic(TrafficObserver* traffic);

    // Closes the port if open, then opens the device for these settings and
    // applies the line settings. Only a character device that is a terminal
    // is opened; anything else is refused unwritten. Failures are shown
    // through the prompts; the link then behaves as a silent unit.
    void openPort(const CommsSettings& settings);
    void closePort();
    bool isOpen() const { return fd_ >= 0; }
    // The device the last openPort tried.
    const std::string& devicePath() const { return devicePath_; }

    // Sends one request (which ends in a carriage return).
    void sendFrame(std::string_view request);
    // Collects one reply up to its carriage return or the reply timeout.
    // expectedLength (carriage return included), when known, lets the link
    // sleep while the rest of the reply is still on the line instead of
    // waking for every character; it never changes what is collected.
    void receiveReply(std::size_t expectedLength = 0);
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
    void refuseDevice(bool directory);
    // "Failed to open the comms port." and, on its second line, why.
    void showOpenFailed(std::string_view why);
    bool configureLine(const CommsSettings& settings);
    void setRts(bool on);
    void writeAll(std::string_view bytes, LineClock::time_point giveUp);
    void discardInput();

    Prompts& prompts_;
    TrafficObserver* traffic_;
    LinkOptions options_;
    std::string devicePath_;
    int fd_ = -1;
    int baudRate_ = 9600;
    std::chrono::milliseconds timeout_{250};
    bool manualRts_ = true;
    std::optional<serial_rs485> rs485Found_;  // the driver's RS-485 settings before ours
    ReplyCollector collector_;
    int holds_ = 0;
    unsigned holdsEnded_ = 0;
    bool unitSilent_ = false;
    std::function<void()> betweenExchanges_;
};

}  // namespace zat
