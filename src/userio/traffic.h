// Where the last request and the last reply are shown as they happen: the two
// traffic fields of the GUI's status bar, the command-line tool's verbose
// output, or a test's record.
#pragma once

#include <string_view>

namespace zat {

class TrafficObserver {
public:
    virtual ~TrafficObserver() = default;
    // The request as sent, without its carriage return.
    virtual void requestSent(std::string_view request) = 0;
    // The reply as handed on: cut at its carriage return, empty if nothing came.
    virtual void replyReceived(std::string_view reply) = 0;
};

class SilentTraffic final : public TrafficObserver {
public:
    void requestSent(std::string_view) override {}
    void replyReceived(std::string_view) override {}
};

}  // namespace zat
