// The wait cursor around file commands, and a scope that puts the arrow back.
#pragma once

namespace zat {

class WaitCursor {
public:
    virtual ~WaitCursor() = default;
    virtual void wait() = 0;
    virtual void arrow() = 0;
};

class NoWaitCursor final : public WaitCursor {
public:
    void wait() override {}
    void arrow() override {}
};

class WaitCursorSession {
public:
    explicit WaitCursorSession(WaitCursor& cursor) : cursor_(cursor) { cursor_.wait(); }
    ~WaitCursorSession() { cursor_.arrow(); }
    WaitCursorSession(const WaitCursorSession&) = delete;
    WaitCursorSession& operator=(const WaitCursorSession&) = delete;

private:
    WaitCursor& cursor_;
};

}  // namespace zat
