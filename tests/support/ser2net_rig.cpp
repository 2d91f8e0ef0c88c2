#include "support/ser2net_rig.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <netinet/in.h>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace zat::test {

namespace {

constexpr const char* kSer2net = "/usr/sbin/ser2net";

sockaddr_in loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

bool accepts(int port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const sockaddr_in address = loopback(port);
    const bool connected = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return connected;
}

// One connection; the serial options keep what the line carries as it is
// (no delay gathering characters), as a plant's server is set up.
std::string connection(const std::string& name, const std::string& accepter, const std::string& device,
                       const std::string& line) {
    return "connection: &" + name + "\n    accepter: " + accepter + "\n    connector: serialdev," + device + "," +
           line + ",local\n    options:\n      kickolduser: true\n      chardelay: false\n";
}

}  // namespace

int freeLoopbackPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address = loopback(0);
    socklen_t length = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::close(fd);
        throw std::runtime_error("no free loopback port");
    }
    ::close(fd);
    return ntohs(address.sin_port);
}

Ser2netRig::Ser2netRig(sim::UnitConfig config, int rawBaudRate, sim::LineTiming timing)
    : telnetUnit(config, timing),
      rawUnit(config, timing),
      telnetPort_(freeLoopbackPort()),
      rawPort_(freeLoopbackPort()) {
    if (::access(kSer2net, X_OK) != 0) throw std::runtime_error("ser2net is not installed (scripts/deps installs it)");
    telnetUnit.start();
    rawUnit.start();
    // The telnet port starts at another rate and format than the unit's, so
    // what the test finds there was set through RFC 2217.
    writeFile(dir_.file("ser2net.yaml"),
              "%YAML 1.1\n---\n" +
                  connection("telnet", "telnet(rfc2217),tcp,127.0.0.1," + std::to_string(telnetPort_),
                             telnetUnit.devicePath(), "1200n81") +
                  connection("raw", "tcp,127.0.0.1," + std::to_string(rawPort_), rawUnit.devicePath(),
                             std::to_string(rawBaudRate) + "o71"));
    const std::string yaml = dir_.file("ser2net.yaml");
    // A pid file of its own: ser2net removes the file it was given on exit.
    const std::string pidFile = dir_.file("ser2net.pid");
    const int log = ::open(dir_.file("ser2net.log").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    pid_ = ::fork();
    if (pid_ == 0) {
        // Its notes (such as mdns being unavailable) go to a file of its own.
        ::dup2(log, STDOUT_FILENO);
        ::dup2(log, STDERR_FILENO);
        // -n: stays in the foreground as our child; -u: no UUCP lock files.
        ::execl(kSer2net, kSer2net, "-n", "-u", "-c", yaml.c_str(), "-P", pidFile.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(log);
    for (int i = 0; i < 200 && !(accepts(telnetPort_) && accepts(rawPort_)); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (!accepts(telnetPort_) || !accepts(rawPort_)) throw std::runtime_error("ser2net did not start listening");
    // The probing connections above are let go before a test connects.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
}

void Ser2netRig::kill() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    while (::waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {}
    pid_ = -1;
}

Ser2netRig::~Ser2netRig() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    while (::waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {}
}

}  // namespace zat::test
