#include "comms/link_health.h"

namespace zat {

Outcome LinkHealth::run(UnitProtocol& protocol, const std::function<Outcome(UnitProtocol&)>& exchange) {
    if (dropRest_ || stopped_) return Outcome::Failed;
    UnitLink& link = protocol.link();
    link_ = &link;
    // Before every exchange, the first of a batch too: two batches can start
    // in one turn of the event loop (two timers due together).
    link.betweenExchanges();
    if (stopped_) return Outcome::Failed;

    // The protocol's own loop decides; between its tries the window's events
    // are let through, so a unit that has gone quiet holds the window for one
    // reply timeout at most. While it is known silent: one try only.
    UnitProtocol governed =
        protocol.governedBy({.oneTry = link.unitSilent(), .beforeRetry = [&link] { link.betweenExchanges(); }});
    const Outcome outcome = exchange(governed);
    if (succeeded(outcome)) {
        link.setUnitSilent(false);
    } else if (link.reply().empty()) {
        link.setUnitSilent(true);
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
