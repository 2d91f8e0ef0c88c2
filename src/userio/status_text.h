// The hint area of the status bar, and a scope that clears it again.
#pragma once

#include <string_view>

namespace zat {

class StatusText {
public:
    virtual ~StatusText() = default;
    virtual void setStatusText(std::string_view text) = 0;
};

class SilentStatusText final : public StatusText {
public:
    void setStatusText(std::string_view) override {}
};

// Shows a status text for the length of an operation and clears it afterwards.
class StatusTextSession {
public:
    StatusTextSession(StatusText& status, std::string_view text);
    ~StatusTextSession();
    StatusTextSession(const StatusTextSession&) = delete;
    StatusTextSession& operator=(const StatusTextSession&) = delete;
    void clear();

private:
    StatusText& status_;
    bool set_ = true;
};

}  // namespace zat
