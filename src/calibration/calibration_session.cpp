#include "calibration/calibration_session.h"

#include "calibration/session_common.h"
#include "model/channel_type.h"
#include "model/config_database.h"
#include "model/register_ref.h"

#include <algorithm>

namespace zat {

namespace {}  // namespace

Outcome CalibrationSession::open(UnitProtocol& protocol) {
    if (failed(protocol.checkUnit(true))) return Outcome::Failed;
    beginPageZeroBatch(protocol, health_);
    bool unread = false;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const std::optional<std::uint16_t> code = readCardCode(protocol, health_, slot);
        unread = unread || !code;
        if (code && config_.takesCard(*code)) {
            slotNumbers_.push_back(slot + 1);
            view_.tabs.push_back("Slot " + std::to_string(slot + 1));
        }
    }
    if (unread) {
        protocol.showNoAnswer();  // the slots read are offered all the same
    } else if (view_.tabs.empty()) {
        (void)protocol.prompts().show(kNoSlotsText, "Information", MessageIcon::Information, MessageButtons::Ok);
    }
    if (view_.tabs.empty()) return Outcome::Failed;
    selectChannel(protocol, 0, 1);
    return Outcome::Ok;
}

void CalibrationSession::selectChannel(UnitProtocol& protocol, int tab, int position) {
    if (tab < 0 || tab >= static_cast<int>(slotNumbers_.size())) return;
    position = std::clamp(position, 1, config_.channelsPerSlot);
    beginPageZeroBatch(protocol, health_);
    view_.tab = tab;
    view_.position = position;
    const int channel = (slotNumbers_[static_cast<std::size_t>(tab)] - 1) * config_.channelsPerSlot + position - 1;
    channel_ = channel;
    view_.channelName = channelLabel(config_.channelLetter, channel);
    // Nothing of the previous channel may be shown or adjusted as this one's.
    view_.presentValue.clear();
    view_.problem.clear();
    view_.zero.reset();
    view_.span.reset();
    calibrationIndex_.reset();
    const auto forced = forced_.find(channel);
    const std::uint16_t bits = forced == forced_.end() ? 0 : forced->second;
    view_.forceZero = (bits & kOutputForcedToZero) != 0;
    view_.forceSpan = (bits & kOutputForcedToSpan) != 0;

    if (config_.outputs) {
        // Selecting an output reads its flags; the value is not used.
        std::uint16_t flags = 0;
        (void)readHexIndexed(protocol, health_, kOutputTypeItem, channel, flags);
        calibrationIndex_ = channel;
    } else {
        typeWord_.reset();
        view_.rangeText.clear();
        std::uint16_t word = 0;
        if (succeeded(readHexIndexed(protocol, health_, kInputTypeItem, channel, word))) {
            typeWord_ = word;
            if (const ChannelType* type = channelType(word & kTypeIndexMask)) {
                calibrationIndex_ = type->rangeCode;
                view_.rangeText = std::string(rangeName(type->rangeCode));
            } else {
                protocol.beep().simple();  // no range to calibrate
            }
        }
    }
    if (calibrationIndex_) {
        view_.zero = readConstant(protocol, config_.zero);
        view_.span = readConstant(protocol, config_.span);
    }
    showLinkStatus();
}

std::optional<std::uint16_t> CalibrationSession::readConstant(UnitProtocol& protocol, const CalibrationItem& item) {
    std::uint16_t value = 0;
    const int index = *calibrationIndex_;
    if (failed(readHexIndexed(protocol, health_, item.letter, index, value))) return std::nullopt;
    memory_.read({item.letter, index}, value);
    return value;
}

void CalibrationSession::tick(UnitProtocol& protocol) {
    if (!channel_) return;
    health_.beginBatch();
    std::int16_t value = 0;
    const int channel = *channel_;
    if (succeeded(readDecimalIndexed(protocol, health_, config_.presentLetter, channel, value))) {
        if (config_.outputs || !typeWord_) {
            view_.presentValue = formatReal(value);
        } else {
            const ChannelValue shown = formatChannelValue(value, *typeWord_);
            view_.presentValue = formatReal(shown.value) + shown.unit;
        }
    }
    showLinkStatus();
}

void CalibrationSession::sendConstant(UnitProtocol& protocol, const CalibrationItem& item,
                                      std::optional<std::uint16_t>& shown, int value) {
    const auto clamped = static_cast<std::uint16_t>(std::clamp<int>(value, item.lowest, item.highest));
    const int index = *calibrationIndex_;
    beginPageZeroBatch(protocol, health_);
    const bool written = succeeded(
        health_.run(protocol, [&](UnitProtocol& p) { return p.writeHexIndexed(item.letter, index, clamped); }));
    if (!written) {
        // The write has beeped. Shown is what the unit holds: read back (the
        // reply may be what was lost; asked even of a silent unit), else
        // what it held before.
        health_.beginBatch();
        if (const std::optional<std::uint16_t> held = readConstant(protocol, item)) shown = held;
    } else {
        shown = clamped;
    }
    if (shown == clamped) memory_.written({item.letter, index});
    view_.problem = shown == clamped ? "" : &item == &config_.zero ? "Unable to set zero" : "Unable to set span";
    view_.revertEnabled = !memory_.changed().empty();
    showLinkStatus();
}

// The arithmetic is done in int and clamped, so "+" of an output zero at 0
// stays at 0 instead of wrapping to the top of the range.
void CalibrationSession::stepZero(UnitProtocol& protocol, int direction) {
    if (view_.zero) sendConstant(protocol, config_.zero, view_.zero, *view_.zero - direction);
}

void CalibrationSession::stepSpan(UnitProtocol& protocol, int direction) {
    if (view_.span) sendConstant(protocol, config_.span, view_.span, *view_.span + direction);
}

void CalibrationSession::moveZeroTrack(UnitProtocol& protocol, int position) {
    if (view_.zero) sendConstant(protocol, config_.zero, view_.zero, zeroTrack().valueAt(position));
}

void CalibrationSession::moveSpanTrack(UnitProtocol& protocol, int position) {
    if (view_.span) sendConstant(protocol, config_.span, view_.span, spanTrack().valueAt(position));
}

// Force Zero selects page 0 before it reads the status; Force Span reads it at once.
void CalibrationSession::forceZero(UnitProtocol& protocol) {
    toggleForce(protocol, kOutputForcedToSpan, kOutputForcedToZero, true);
}

void CalibrationSession::forceSpan(UnitProtocol& protocol) {
    toggleForce(protocol, kOutputForcedToZero, kOutputForcedToSpan, false);
}

// Clears the other force bit and toggles this one: at most one is set.
void CalibrationSession::toggleForce(UnitProtocol& protocol, std::uint16_t other, std::uint16_t toggle,
                                     bool pageZeroFirst) {
    if (!config_.outputs || !channel_) return;
    const int channel = *channel_;
    if (pageZeroFirst)
        beginPageZeroBatch(protocol, health_);
    else
        health_.beginBatch();
    std::int16_t status = 0;
    if (succeeded(readDecimalIndexed(protocol, health_, kOutputStatusItem, channel, status))) {
        const auto next = static_cast<std::uint16_t>((static_cast<std::uint16_t>(status) & ~other) ^ toggle);
        if (succeeded(health_.run(protocol, [&](UnitProtocol& p) {
                return p.writeDecimalIndexed(kOutputStatusItem, channel, static_cast<std::int16_t>(next));
            }))) {
            view_.forceZero = (next & kOutputForcedToZero) != 0;
            view_.forceSpan = (next & kOutputForcedToSpan) != 0;
            if ((next & (kOutputForcedToZero | kOutputForcedToSpan)) != 0)
                forced_[channel] = next & (kOutputForcedToZero | kOutputForcedToSpan);
            else
                forced_.erase(channel);
        }
    }
    showLinkStatus();
}

Outcome CalibrationSession::revert(UnitProtocol& protocol) {
    if (memory_.changed().empty()) return Outcome::Ok;
    beginPageZeroBatch(protocol, health_);
    Outcome outcome = Outcome::Ok;
    const auto changed = memory_.changed();
    for (const auto& [key, original] : changed) {
        const char letter = key.first;  // named copies: clang 14 cannot capture structured bindings
        const int index = key.second;
        const CalibrationItem& item = letter == config_.zero.letter ? config_.zero : config_.span;
        const std::uint16_t value = clampTo(item, original);
        if (failed(health_.run(protocol, [&](UnitProtocol& p) { return p.writeHexIndexed(letter, index, value); }))) {
            outcome = Outcome::Failed;
            continue;
        }
        memory_.reverted(key);
        if (calibrationIndex_ == index) (letter == config_.zero.letter ? view_.zero : view_.span) = value;
    }
    view_.revertEnabled = !memory_.changed().empty();
    showLinkStatus();
    return outcome;
}

std::vector<int> CalibrationSession::releaseOnce(UnitProtocol& protocol) {
    health_.beginBatch();
    std::vector<int> stillForced;
    for (int output = 0; output < kPhysicalAnalogOutputCount; ++output) {
        std::int16_t status = 0;
        const bool ours = forced_.count(output) != 0;
        if (failed(readDecimalIndexed(protocol, health_, kOutputStatusItem, output, status))) {
            if (ours) stillForced.push_back(output);
            continue;
        }
        const auto word = static_cast<std::uint16_t>(status);
        if ((word & (kOutputForcedToZero | kOutputForcedToSpan)) != 0 &&
            failed(health_.run(protocol, [&](UnitProtocol& p) {
                return p.writeDecimalIndexed(
                    kOutputStatusItem, output,
                    static_cast<std::int16_t>(word & ~(kOutputForcedToZero | kOutputForcedToSpan)));
            }))) {
            stillForced.push_back(output);
            continue;
        }
        forced_.erase(output);
    }
    showLinkStatus();
    return stillForced;
}

Outcome CalibrationSession::releaseForcedOutputs(UnitProtocol& protocol) {
    if (!config_.outputs) return Outcome::Ok;
    for (;;) {
        const std::vector<int> stillForced = releaseOnce(protocol);
        if (stillForced.empty()) return Outcome::Ok;
        std::string names;
        for (int output : stillForced) names += (names.empty() ? "" : ", ") + channelLabel('B', output);
        const bool several = stillForced.size() > 1;
        const std::string text =
            std::string(several ? "Unable to release the forced outputs " : "Unable to release the forced output ") +
            names + (several ? ".\nThey may still be forced." : ".\nIt may still be forced.");
        if (protocol.prompts().show(text, "Calibration", MessageIcon::Exclamation, MessageButtons::RetryCancel) !=
            Answer::Retry)
            return Outcome::Failed;
    }
}

void CalibrationSession::showLinkStatus() { view_.linkStatus = std::string(health_.statusText()); }

}  // namespace zat
