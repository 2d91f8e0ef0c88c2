#include "comms/link_health.h"

#include "userio/beep.h"

namespace zat {

Outcome LinkHealth::run(UnitProtocol& protocol, const std::function<Outcome(UnitProtocol&)>& exchange) {
    if (dropRest_) return Outcome::Failed;
    link_ = &protocol.link();
    // Before every exchange, the first of a batch too: two batches can start
    // in one turn of the event loop (two timers due together).
    link_->betweenExchanges();

    // Each try is one exchange on its own, with the window's events let
    // through between tries, so a unit that has gone quiet holds the window
    // for one reply timeout at most. While it is known silent: one try only.
    CommsSettings once = protocol.settings();
    once.retries = 0;
    const int tries = link_->unitSilent() ? 1 : protocol.settings().retries + 1;
    SilentBeep quiet;  // the beep is for the operation, after its last try
    Outcome outcome = Outcome::Failed;
    for (int attempt = 1; attempt <= tries; ++attempt) {
        if (attempt > 1) link_->betweenExchanges();
        UnitProtocol single(protocol.link(), once, protocol.prompts(), attempt == tries ? protocol.beep() : quiet);
        outcome = exchange(single);
        if (succeeded(outcome) || single.lastRefused()) break;
    }
    if (succeeded(outcome)) {
        link_->setUnitSilent(false);
    } else if (link_->reply().empty()) {
        link_->setUnitSilent(true);
        dropRest_ = true;
    }
    return outcome;
}

Outcome readHexIndexed(UnitProtocol& protocol, LinkHealth& health, char letter, int index, std::uint16_t& value) {
    return health.run(protocol, [&](UnitProtocol& p) { return p.readHexIndexed(letter, index, value); });
}

Outcome readDecimalIndexed(UnitProtocol& protocol, LinkHealth& health, char letter, int index, std::int16_t& value) {
    return health.run(protocol, [&](UnitProtocol& p) { return p.readDecimalIndexed(letter, index, value); });
}

Outcome selectPage(UnitProtocol& protocol, LinkHealth& health, int page) {
    return health.run(protocol, [&](UnitProtocol& p) { return p.selectPage(page); });
}

}  // namespace zat
