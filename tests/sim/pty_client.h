// The utility's end of a simulated unit's pseudo-terminal, opened the way a
// serial port is: read-write, not as controlling terminal, raw.
#pragma once

#include <string>
#include <string_view>

namespace zat::sim::test {

class PtyClient {
public:
    explicit PtyClient(const std::string& path);
    ~PtyClient();
    PtyClient(const PtyClient&) = delete;
    PtyClient& operator=(const PtyClient&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    void send(std::string_view bytes) const;
    // Characters up to and including a carriage return, or whatever came
    // before `timeoutMs` passed.
    std::string readReply(int timeoutMs) const;
    std::string ask(std::string_view request, int timeoutMs = 2000) const;

private:
    int fd_;
};

}  // namespace zat::sim::test
