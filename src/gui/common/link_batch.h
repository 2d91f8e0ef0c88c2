// A batch of exchanges with the unit under way on the user-interface thread.
// Waiting events are let through between its exchanges (see
// letEventsThroughBetweenExchanges), so a poll timer that fires meanwhile
// must not start a batch of its own: the two would interleave their page
// selections. Input that came meanwhile is delivered when the outermost
// batch ends (batch_input.h).
#pragma once

#include "gui/common/batch_input.h"

namespace zat {

class LinkBatch {
public:
    LinkBatch() { ++depth(); }
    ~LinkBatch() {
        if (--depth() == 0) deliverHeldInput();
    }
    LinkBatch(const LinkBatch&) = delete;
    LinkBatch& operator=(const LinkBatch&) = delete;

    static bool running() { return depth() > 0; }

private:
    static int& depth() {
        static int batches = 0;
        return batches;
    }
};

}  // namespace zat
