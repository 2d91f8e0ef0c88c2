#include "calibration/page_zero_exchange.h"

#include <cstdio>

namespace zat {

Outcome onPageZero(UnitProtocol& protocol, LinkHealth& health,
                   const std::function<Outcome(UnitProtocol&)>& exchanges) {
    return health.run(protocol, [&](UnitProtocol& p) {
        if (failed(p.selectPage(0))) return Outcome::Failed;
        return exchanges(p);
    });
}

std::string hexText(std::uint16_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04Xh", value);
    return text;
}

}  // namespace zat
