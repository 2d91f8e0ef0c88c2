#include "sim/unit_state.h"

#include "sim/request_frame.h"
#include "sim/unit_state_impl.h"
#include "sim/wire_text.h"

// What the unit answers.
//
// Silence while the unit is set silent (setSilent), whatever the request.
//
// Silence (as on a shared bus, where a garbled frame may have been meant for
// anyone): a kind other than S, W or R; a non-digit address or index; a
// letter that names no item on the current page; a value not in its item's
// form (4 upper-case hex digits, or "-"? and 4-5 decimal digits); missing or
// extra characters; any request for another address. A command letter
// outside the item-letter alphabet is malformed too.
//
// Refusal ("!" + echo), for well-formed requests to this unit it cannot
// carry out:
// - an index outside the item's range;
// - a read of a write-only item ("h", "N", "]", "?"), a write to a
//   read-only one ("b", "c", "A", "F", "G", "M", "R", "T");
// - a write whose value is outside the item's range: "?" other than 42,
//   "]" other than 0 or 1, "h" outside 0-3, "N" and "S" outside 0-5,
//   "H" outside 0-255, any decimal value outside 16 bits. Configuration
//   words (controller terms, segments, links) are stored as sent;
// - a write to "B" while the output's status word "E" has the protected bit;
// - a read of "c" for a slot without a thermocouple card (code 3);
// - a command letter other than I, S, R, H, F.
// Profiler commands on a stopped or already running profiler are accepted
// and change nothing that does not apply.

namespace zat::sim {

namespace {

std::string valueText(ItemFormat format, std::uint16_t value) {
    return format == ItemFormat::Hex ? formatHexWord(value) : formatDecimalValue(static_cast<std::int16_t>(value));
}

}  // namespace

UnitState::UnitState(const UnitConfig& config) : impl_(std::make_shared<Impl>(config)) {}

std::optional<std::string> UnitState::handle(std::string_view request) {
    if (impl_->silent) return std::nullopt;
    const std::optional<RequestFrame> frame = parseFrame(request, impl_->page);
    if (!frame || frame->address != impl_->config.address) return std::nullopt;

    const std::string echo(request.substr(1));
    bool accepted = false;
    std::string value;
    switch (frame->kind) {
        case RequestKind::Command:
            accepted = impl_->command(frame->letter);
            break;
        case RequestKind::Write:
            accepted = frame->item->access != Access::Read && impl_->write(*frame->item, frame->index, frame->value);
            break;
        case RequestKind::Read:
            if (frame->item->access != Access::Write) {
                if (const auto stored = impl_->read(*frame->item, frame->index)) {
                    accepted = true;
                    value = valueText(frame->item->format, *stored);
                }
            }
            break;
    }
    return (accepted ? "*" : "!") + echo + value;
}

void UnitState::advance(std::uint32_t milliseconds) { impl_->advance(milliseconds); }

const UnitConfig& UnitState::config() const { return impl_->config; }

void UnitState::setAddress(int address) { impl_->config.address = address; }

int UnitState::page() const { return impl_->page; }

std::optional<std::uint16_t> UnitState::item(int page, char letter, int index) const {
    const ItemInfo* item = findItem(page, letter);
    return item != nullptr ? impl_->read(*item, index) : std::nullopt;
}

bool UnitState::setItem(int page, char letter, int index, std::uint16_t value) {
    const ItemInfo* item = findItem(page, letter);
    return item != nullptr && impl_->write(*item, index,
                                           item->format == ItemFormat::Hex ? static_cast<std::int32_t>(value)
                                                                           : static_cast<std::int16_t>(value));
}

std::optional<std::int16_t> UnitState::value(char letter, int index) const {
    const ItemInfo* item = findItem(kAnyPage, letter);
    if (item == nullptr) return std::nullopt;
    const std::optional<std::uint16_t> raw = impl_->read(*item, index);
    if (!raw) return std::nullopt;
    return static_cast<std::int16_t>(*raw);
}

bool UnitState::setValue(char letter, int index, std::int16_t value) {
    const ItemInfo* item = findItem(kAnyPage, letter);
    return item != nullptr && impl_->write(*item, index, value);
}

void UnitState::setBrokenSensor(int input, bool broken) {
    if (input < 0 || input >= AnalogInputs::kCount) return;
    impl_->inputs.setBroken(input, broken, impl_->inputSetup(input));
}

void UnitState::setSilent(bool silent) { impl_->silent = silent; }

bool UnitState::silent() const { return impl_->silent; }

void UnitState::setInvalidOutput(int output, bool invalid) {
    constexpr std::uint16_t kInvalid = 0x04;
    const ItemInfo& status = *findItem(kAnyPage, 'E');
    if (!isValidIndex(status, output)) return;
    std::uint16_t& word = impl_->cell(status, 0, output);
    word = invalid ? static_cast<std::uint16_t>(word | kInvalid) : static_cast<std::uint16_t>(word & ~kInvalid);
}

int UnitState::selectedHotColdBlock() const { return impl_->hotColdBlock; }

int UnitState::selectedProfile() const { return impl_->profile; }

int UnitState::initialiseCount() const { return impl_->initialiseCount; }

}  // namespace zat::sim
