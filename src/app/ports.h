// The ports through which the core reaches a person: message boxes, beeps,
// the status-bar hint text and the "Working" progress window. The GUI, the
// command-line tool and the tests each supply their own implementations.
#pragma once

#include <string>
#include <string_view>

namespace zat {

enum class MessageIcon { None, Information, Exclamation, Question, Stop };

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, AbortRetryIgnore, RetryCancel };

enum class Answer { Ok, Cancel, Yes, No, Abort, Retry, Ignore };

std::string_view toString(MessageIcon icon);
std::string_view toString(MessageButtons buttons);
std::string_view toString(Answer answer);

// A modal message box: text and caption as shown, the icon and the button set.
class Prompts {
public:
    virtual ~Prompts() = default;
    virtual Answer show(std::string_view text, std::string_view caption, MessageIcon icon,
                        MessageButtons buttons) = 0;
    // The same box with another button than the first as the default (the
    // one Enter presses). Ports without a notion of a default ask as above.
    virtual Answer showWithDefault(std::string_view text, std::string_view caption, MessageIcon icon,
                                   MessageButtons buttons, Answer defaultAnswer) {
        (void)defaultAnswer;
        return show(text, caption, icon, buttons);
    }
};

// The two system sounds the program uses.
class Beep {
public:
    virtual ~Beep() = default;
    virtual void simple() = 0;       // the default beep
    virtual void exclamation() = 0;  // the warning (exclamation) sound
};

// The hint area of the status bar.
class StatusText {
public:
    virtual ~StatusText() = default;
    virtual void setStatusText(std::string_view text) = 0;
};

// The "Working" window. Every long operation calls, in this order: show,
// setRange(0, total), setMessage(text), one step per unit of work, destroy
// (also after a failure). ProgressSession below keeps that order.
class Progress {
public:
    virtual ~Progress() = default;
    virtual void show() = 0;
    virtual void setRange(int minimum, int maximum) = 0;
    virtual void setMessage(std::string_view text) = 0;
    virtual void step() = 0;
    virtual void destroy() = 0;
};

// Implementations that show nothing, for callers that want silence.
class SilentBeep final : public Beep {
public:
    void simple() override {}
    void exclamation() override {}
};

class SilentStatusText final : public StatusText {
public:
    void setStatusText(std::string_view) override {}
};

class SilentProgress final : public Progress {
public:
    void show() override {}
    void setRange(int, int) override {}
    void setMessage(std::string_view) override {}
    void step() override {}
    void destroy() override {}
};

// The set of ports handed to a core operation.
struct UserPorts {
    Prompts& prompts;
    Beep& beep;
    StatusText& status;
    Progress& progress;
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
