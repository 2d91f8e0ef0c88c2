// The unit's line behind a serial server on the network: a TCP connection,
// raw (the port set up on the server) or Telnet with the COM-PORT-OPTION
// (RFC 2217), through which the port's baud rate and character format are
// set from ours. The server switches the RS-485 direction; no RTS here.
#pragma once

#include "comms/device_name.h"
#include "comms/link_transport.h"
#include "comms/telnet_codec.h"
#include "model/config_database.h"

#include <chrono>
#include <memory>
#include <optional>

namespace zat {

// How long a connection, and then the server's confirmation of the port
// settings, may take: a refused or unreachable server is told at once.
inline constexpr std::chrono::milliseconds kConnectTimeout{800};

class NetTransport final : public LinkTransport {
public:
    // Connects to the server and, for RFC 2217, sets its port up and waits
    // for the server to confirm it. None with the reason when that fails.
    static std::unique_ptr<NetTransport> open(const DeviceName& name, const std::string& device,
                                              const CommsSettings& settings, LinkReason& reason);
    ~NetTransport() override;
    NetTransport(const NetTransport&) = delete;
    NetTransport& operator=(const NetTransport&) = delete;

    int descriptor() const override { return fd_; }
    LinkReason send(std::string_view request, LineClock::time_point giveUp) override;
    LinkReason receive(std::string& data) override;
    void discardInput() override;
    LineClock::duration stillOnTheWay(std::size_t requestLength) const override;

private:
    NetTransport(int fd, const std::string& device, int baudRate, bool telnet);
    LinkReason sendBytes(std::string_view bytes, LineClock::time_point giveUp);
    LinkReason setUpPort(LineClock::time_point giveUp);
    void acknowledgeAtOnce();
    LinkReason lost(int error) const { return LinkReason{LinkFailure::ConnectionLost, error, device_}; }

    int fd_;
    std::string device_;
    int baudRate_;
    std::optional<TelnetCodec> telnet_;
};

}  // namespace zat
