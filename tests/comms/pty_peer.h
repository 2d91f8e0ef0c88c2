// The far end of a pseudo-terminal driven by hand, for tests of what the
// link does with replies no well-behaved unit would send.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace zat::test {

class PtyPeer {
public:
    PtyPeer();
    ~PtyPeer();
    PtyPeer(const PtyPeer&) = delete;
    PtyPeer& operator=(const PtyPeer&) = delete;

    const std::string& devicePath() const { return path_; }
    int slaveFd() const { return slave_; }  // for looking at the line settings
    void send(std::string_view bytes);
    // Reads until a carriage return or the time is up; returns what came.
    std::string receiveRequest(std::chrono::milliseconds within = std::chrono::milliseconds(1000));

private:
    int master_ = -1;
    int slave_ = -1;
    std::string path_;
};

}  // namespace zat::test
