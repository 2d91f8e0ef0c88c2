// Tells the person why the link failed: the one place where the link's
// reasons become message boxes, for the window and for zatctl alike.
#pragma once

#include "comms/link_reason.h"
#include "userio/prompts.h"

namespace zat {

// Shows the reason's message; nothing for a reason that is ok.
void showLinkReason(const LinkReason& reason, Prompts& prompts);

}  // namespace zat
