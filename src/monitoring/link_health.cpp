#include "monitoring/link_health.h"

namespace zat {

Outcome LinkHealth::run(UnitProtocol& protocol, const std::function<Outcome(UnitProtocol&)>& exchange) {
    if (dropRest_) return Outcome::Failed;
    Outcome outcome = Outcome::Failed;
    if (silent_) {
        CommsSettings once = protocol.settings();
        once.retries = 0;
        UnitProtocol single(protocol.link(), once, protocol.prompts(), protocol.beep());
        outcome = exchange(single);
    } else {
        outcome = exchange(protocol);
    }
    if (succeeded(outcome)) {
        silent_ = false;
    } else if (protocol.link().reply().empty()) {
        silent_ = true;
        dropRest_ = true;
    }
    return outcome;
}

}  // namespace zat
