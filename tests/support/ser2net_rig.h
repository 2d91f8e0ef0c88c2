// A real ser2net on loopback ports in front of simulated units: a
// telnet(rfc2217) accepter to one unit's pseudo-terminal and a raw tcp
// accepter to another's (ser2net opens a device per connection, so each
// accepter has its own). Started with a YAML file of its own and stopped
// with the test; only 127.0.0.1 is used.
#pragma once

#include "sim/pty_unit.h"
#include "support/temp_dir.h"

#include <string>
#include <sys/types.h>

namespace zat::test {

// A loopback port nobody listens on (bound once by the kernel's choice and
// released).
int freeLoopbackPort();

class Ser2netRig {
public:
    // The raw accepter's port is set up on the server at this rate.
    explicit Ser2netRig(sim::UnitConfig config = {}, int rawBaudRate = 9600, sim::LineTiming timing = {});
    ~Ser2netRig();
    Ser2netRig(const Ser2netRig&) = delete;
    Ser2netRig& operator=(const Ser2netRig&) = delete;

    std::string rfc2217Device() const { return "rfc2217://127.0.0.1:" + std::to_string(telnetPort_); }
    std::string rawDevice() const { return "tcp://127.0.0.1:" + std::to_string(rawPort_); }
    // Stops the server at once, dropping its connections.
    void kill();

    sim::PtyUnit telnetUnit;  // behind rfc2217://
    sim::PtyUnit rawUnit;     // behind tcp://

private:
    TempDir dir_;
    int telnetPort_;
    int rawPort_;
    pid_t pid_ = -1;
};

}  // namespace zat::test
