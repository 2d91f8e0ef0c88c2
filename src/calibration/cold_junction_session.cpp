#include "calibration/cold_junction_session.h"

#include "calibration/session_common.h"

#include <algorithm>
#include <cstdio>

namespace zat {

Outcome ColdJunctionSession::open(UnitProtocol& protocol) {
    if (failed(protocol.checkUnit(true))) return Outcome::Failed;
    beginPageZeroBatch(protocol, health_);
    bool thermocouples = false;
    for (int slot = 0; slot < kColdJunctionSlots; ++slot)
        if (readCardCode(protocol, health_, slot) == kThermocoupleCard) thermocouples = true;
    if (!thermocouples) {
        (void)protocol.prompts().show(kNoCardsText, "Information", MessageIcon::Information, MessageButtons::Ok);
        return Outcome::Failed;
    }
    std::uint16_t value = 0;
    // Without a value read there is nothing to write back: a guess would
    // overwrite the unit's calibration.
    if (succeeded(health_.run(protocol, [&](UnitProtocol& p) { return p.readHex(kColdJunctionZero.letter, value); }))) {
        original_ = value;
        (void)send(protocol, value);
    }
    showLinkStatus();
    return Outcome::Ok;
}

Outcome ColdJunctionSession::send(UnitProtocol& protocol, int value) {
    const auto clamped =
        static_cast<std::uint16_t>(std::clamp<int>(value, kColdJunctionZero.lowest, kColdJunctionZero.highest));
    view_.zero = clamped;  // a failed write has beeped; the display keeps the new value
    // Every write of the zero, the one at opening too, selects page 0 first:
    // a monitor may have left page 1 selected.
    (void)selectPage(protocol, health_, 0);
    return health_.run(protocol, [&](UnitProtocol& p) { return p.writeHex(kColdJunctionZero.letter, clamped); });
}

void ColdJunctionSession::step(UnitProtocol& protocol, int direction) {
    if (view_.zero) moveTrack(protocol, trackPosition(*view_.zero) + direction);
}

void ColdJunctionSession::moveTrack(UnitProtocol& protocol, int position) {
    if (!view_.zero) return;
    health_.beginBatch();
    if (succeeded(send(protocol, kColdJunctionZero.lowest + position))) view_.revertEnabled = true;
    showLinkStatus();
}

Outcome ColdJunctionSession::revert(UnitProtocol& protocol) {
    if (!original_ || !view_.revertEnabled) return Outcome::Ok;
    health_.beginBatch();
    const Outcome outcome = send(protocol, *original_);
    if (succeeded(outcome)) view_.revertEnabled = false;
    showLinkStatus();
    return outcome;
}

void ColdJunctionSession::tick(UnitProtocol& protocol) {
    slot_ = (slot_ + 1) % kColdJunctionSlots;
    const int slot = slot_;
    beginPageZeroBatch(protocol, health_);
    if (readCardCode(protocol, health_, slot) == kThermocoupleCard) {
        std::uint16_t tenths = 0;
        char text[32] = "Error";
        if (succeeded(readHexIndexed(protocol, health_, 'c', slot, tenths)))
            std::snprintf(text, sizeof text, "%5.1f\u00B0C", static_cast<std::int16_t>(tenths) * 0.1);
        view_.temperatures[static_cast<std::size_t>(slot)] = text;
    }
    showLinkStatus();
}

}  // namespace zat
