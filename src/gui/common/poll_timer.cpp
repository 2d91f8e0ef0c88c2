#include "gui/common/poll_timer.h"

#include "gui/common/link_batch.h"

#include <algorithm>

namespace zat {

PollTimer::PollTimer(const UnitLink& link, Schedule schedule, Callbacks callbacks, QObject* parent)
    : QObject(parent), link_(link), schedule_(schedule), callbacks_(std::move(callbacks)) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] { fire(); });
}

void PollTimer::start() {
    running_ = true;
    holdsSeen_ = link_.holdsEnded();
    timer_.start(callbacks_.interval());
}

void PollTimer::stop() {
    running_ = false;
    timer_.stop();
}

void PollTimer::fire() {
    if (LinkBatch::running() || link_.held()) {
        timer_.start(kRetryWait);
        return;
    }
    started_.start();
    if (link_.holdsEnded() != holdsSeen_) {
        holdsSeen_ = link_.holdsEnded();
        callbacks_.reload();
    } else {
        callbacks_.poll();
    }
    if (!running_) return;  // the tick stopped it: the window is closing
    const auto interval = callbacks_.interval();
    if (schedule_ == Schedule::AfterPoll) {
        timer_.start(interval);
        return;
    }
    // A tick that overran its period still leaves the window a turn for the
    // input held back during it before the next begins.
    const auto spent = std::chrono::milliseconds(started_.elapsed());
    timer_.start(std::max(kInputTurn, interval - spent));
}

void letEventsThroughBetweenExchanges(UnitLink& link) {
    link.setBetweenExchanges([] {
        if (LinkBatch::running()) letEventsThroughMidBatch();
    });
}

}  // namespace zat
