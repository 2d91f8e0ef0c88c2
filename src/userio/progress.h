// The "Working" window, and a scope that always closes it again.
#pragma once

#include <string_view>

namespace zat {

// Every long operation calls, in this order: show, setRange(0, total),
// setMessage(text), one step per unit of work, destroy (also after a
// failure). ProgressSession below keeps that order.
class Progress {
public:
    virtual ~Progress() = default;
    virtual void show() = 0;
    virtual void setRange(int minimum, int maximum) = 0;
    virtual void setMessage(std::string_view text) = 0;
    virtual void step() = 0;
    virtual void destroy() = 0;
};

class SilentProgress final : public Progress {
public:
    void show() override {}
    void setRange(int, int) override {}
    void setMessage(std::string_view) override {}
    void step() override {}
    void destroy() override {}
};

// Opens the progress window for one operation and always closes it again,
// whatever way the operation leaves.
class ProgressSession {
public:
    ProgressSession(Progress& progress, int total, std::string_view message);
    // Without a message: the operation sets one as each of its parts begins.
    ProgressSession(Progress& progress, int total);
    ~ProgressSession();
    ProgressSession(const ProgressSession&) = delete;
    ProgressSession& operator=(const ProgressSession&) = delete;

    void step() { progress_.step(); }
    // Closes the window now (before a message box, say); the destructor then does nothing.
    void close();

private:
    Progress& progress_;
    bool open_ = true;
};

}  // namespace zat
