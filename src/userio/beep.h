// The two system sounds the program uses.
#pragma once

namespace zat {

class Beep {
public:
    virtual ~Beep() = default;
    virtual void simple() = 0;       // the default beep
    virtual void exclamation() = 0;  // the warning (exclamation) sound
};

class SilentBeep final : public Beep {
public:
    void simple() override {}
    void exclamation() override {}
};

}  // namespace zat
