#include "comms/link_health.h"

namespace zat {

Outcome LinkHealth::run(UnitProtocol& protocol, const std::function<Outcome(UnitProtocol&)>& exchange) {
    if (dropRest_) return Outcome::Failed;
    link_ = &protocol.link();
    if (exchangesInBatch_++ > 0) link_->betweenExchanges();
    Outcome outcome = Outcome::Failed;
    if (link_->unitSilent()) {
        CommsSettings once = protocol.settings();
        once.retries = 0;
        UnitProtocol single(protocol.link(), once, protocol.prompts(), protocol.beep());
        outcome = exchange(single);
    } else {
        outcome = exchange(protocol);
    }
    if (succeeded(outcome)) {
        link_->setUnitSilent(false);
    } else if (link_->reply().empty()) {
        link_->setUnitSilent(true);
        dropRest_ = true;
    }
    return outcome;
}

}  // namespace zat
