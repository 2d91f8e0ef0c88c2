// The unit's line on a local serial device: termios settings, an exclusive
// open, and RTS raised for the length of each request (or the driver's
// RS-485 mode doing it).
#pragma once

#include "comms/link_transport.h"
#include "model/config_database.h"

#include <linux/serial.h>
#include <memory>
#include <optional>

namespace zat {

enum class RtsControl {
    Manual,       // we raise and drop RTS around every request
    KernelRs485,  // the driver's RS-485 mode drives RTS itself
};

class SerialTransport final : public LinkTransport {
public:
    // Opens the device and sets up the line. Only a character device that is
    // a terminal is opened; anything else is refused unwritten. The transport
    // is given back also with a reason whose portKept() is true.
    static std::unique_ptr<SerialTransport> open(const std::string& device, const CommsSettings& settings,
                                                 RtsControl rts, LinkReason& reason);
    ~SerialTransport() override;
    SerialTransport(const SerialTransport&) = delete;
    SerialTransport& operator=(const SerialTransport&) = delete;

    int descriptor() const override { return fd_; }
    LinkReason send(std::string_view request, LineClock::time_point giveUp) override;
    LinkReason receive(std::string& data) override;
    void discardInput() override;
    LineClock::duration stillOnTheWay(std::size_t) const override { return {}; }

private:
    SerialTransport(int fd, int baudRate) : fd_(fd), baudRate_(baudRate) {}
    LinkReason configureLine(const CommsSettings& settings);
    void setRts(bool on);
    void writeAll(std::string_view bytes, LineClock::time_point giveUp);

    int fd_;
    int baudRate_;
    bool manualRts_ = true;
    std::optional<serial_rs485> rs485Found_;  // the driver's RS-485 settings before ours
};

}  // namespace zat
