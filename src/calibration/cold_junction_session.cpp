#include "calibration/cold_junction_session.h"

#include "calibration/session_common.h"

#include <algorithm>
#include <cstdio>

namespace zat {

Outcome ColdJunctionSession::open(UnitProtocol& protocol) {
    if (failed(protocol.checkUnit(true))) return Outcome::Failed;
    beginPageZeroBatch(protocol, health_);
    bool thermocouples = false, unread = false;
    for (int slot = 0; slot < kColdJunctionSlots; ++slot) {
        const std::optional<std::uint16_t> code = readCardCode(protocol, health_, slot);
        thermocouples = thermocouples || code == kThermocoupleCard;
        unread = unread || !code;
    }
    if (!thermocouples) {
        // A card not read may be the thermocouple card: not "none fitted".
        if (unread) {
            protocol.showNoAnswer();
        } else {
            (void)protocol.prompts().show(kNoCardsText, "Information", MessageIcon::Information, MessageButtons::Ok);
        }
        return Outcome::Failed;
    }
    std::uint16_t value = 0;
    // Without a value read there is nothing to write back: a guess would
    // overwrite the unit's calibration.
    if (succeeded(health_.run(protocol, [&](UnitProtocol& p) { return p.readHex(kColdJunctionZero.letter, value); }))) {
        original_ = value;
        view_.zero = value;  // what the unit holds, should the write back fail
        (void)send(protocol, value);
    }
    showLinkStatus();
    return Outcome::Ok;
}

Outcome ColdJunctionSession::send(UnitProtocol& protocol, int value) {
    const auto clamped =
        static_cast<std::uint16_t>(std::clamp<int>(value, kColdJunctionZero.lowest, kColdJunctionZero.highest));
    // Every write of the zero, the one at opening too, selects page 0 first:
    // a monitor may have left page 1 selected.
    (void)selectPage(protocol, health_, kConfigPage);
    const Outcome written =
        health_.run(protocol, [&](UnitProtocol& p) { return p.writeHex(kColdJunctionZero.letter, clamped); });
    std::uint16_t held = clamped;
    if (failed(written)) {
        // The write has beeped. Shown is what the unit holds: read back (the
        // reply may be what was lost; asked even of a silent unit), else
        // what it held before.
        health_.beginBatch();
        if (failed(health_.run(protocol, [&](UnitProtocol& p) { return p.readHex(kColdJunctionZero.letter, held); })))
            held = view_.zero.value_or(clamped);
    }
    view_.zero = held;
    view_.problem = held == clamped ? "" : "Unable to set cold junction zero";
    return held == clamped ? Outcome::Ok : written;
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
        if (succeeded(readHexIndexed(protocol, health_, kColdJunctionTemperatureItem, slot, tenths)))
            std::snprintf(text, sizeof text, "%5.1f\u00B0C", static_cast<std::int16_t>(tenths) * 0.1);
        view_.temperatures[static_cast<std::size_t>(slot)] = text;
    }
    showLinkStatus();
}

}  // namespace zat
