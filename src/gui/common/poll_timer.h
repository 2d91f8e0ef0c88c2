// The timer of a window that polls the unit. Its ticks wait while another
// batch of exchanges runs or a long operation holds the link, and the first
// tick after such an operation reloads the page instead of polling, since
// the operation may have changed what the page shows.
#pragma once

#include "comms/unit_link.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>

namespace zat {

class PollTimer final : public QObject {
    Q_OBJECT
public:
    enum class Schedule {
        Periodic,   // ticks every interval, however long a tick takes (kInputTurn apart at least)
        AfterPoll,  // the interval counts from the end of the previous tick
    };
    // How soon a tick that had to wait tries again.
    static constexpr std::chrono::milliseconds kRetryWait{50};
    // The least time between two ticks, in which the window handles the input
    // that came during the first (a zero wait would let the timer run before
    // input still queued in the system).
    static constexpr std::chrono::milliseconds kInputTurn{20};

    struct Callbacks {
        std::function<std::chrono::milliseconds()> interval;  // asked after every tick
        std::function<void()> poll;
        std::function<void()> reload;
    };

    PollTimer(const UnitLink& link, Schedule schedule, Callbacks callbacks, QObject* parent = nullptr);

    void start();
    void stop();
    bool active() const { return running_; }

private:
    void fire();

    const UnitLink& link_;
    Schedule schedule_;
    Callbacks callbacks_;
    QTimer timer_;
    QElapsedTimer started_;  // when the current tick began
    unsigned holdsSeen_ = 0;
    bool running_ = false;
};

// Installs the link's between-exchanges hook: inside a LinkBatch the events
// waiting (repaints, timers, posted calls, input) are let through, input
// held back until the batch ends but a monitor's Escape (batch_input.h).
void letEventsThroughBetweenExchanges(UnitLink& link);

}  // namespace zat
