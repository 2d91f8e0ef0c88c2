#include "monitoring/monitor_common.h"

namespace zat {

std::optional<std::vector<MonitorTab>> openSlotTabs(UnitProtocol& protocol, LinkHealth& health,
                                                    const std::function<bool(std::uint16_t)>& bright) {
    if (failed(protocol.checkUnit(true))) return std::nullopt;
    health.beginBatch();
    (void)selectPage(protocol, health, kConfigPage);
    std::vector<MonitorTab> tabs;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        std::uint16_t code = 0;
        const bool known = succeeded(readHexIndexed(protocol, health, kCardCodeItem, slot, code));
        tabs.push_back({"Slot " + std::to_string(slot + 1), known && bright(code)});
    }
    return tabs;
}

void appendRangeTabs(std::vector<MonitorTab>& tabs, int first, int last, int size) {
    for (int from = first; from <= last; from += size)
        tabs.push_back({std::to_string(from) + "-" + std::to_string(from + size - 1), false});
}

namespace {

LoopFlags readLoopFlags(UnitProtocol& protocol, LinkHealth& health, char letter, const std::vector<int>& loops) {
    LoopFlags flags;
    for (const int i : loops) {
        std::uint16_t word = 0;
        if (failed(readHexIndexed(protocol, health, letter, i, word))) {
            flags.unread.push_back(i);
        } else if ((word & kEnabledFlag) != 0) {
            flags.enabled.push_back(i);
        }
    }
    return flags;
}

}  // namespace

LoopFlags readEnabledLoops(UnitProtocol& protocol, LinkHealth& health, char letter, int count,
                           std::string_view noneText) {
    std::vector<int> all(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) all[static_cast<std::size_t>(i)] = i;
    LoopFlags flags = readLoopFlags(protocol, health, letter, all);
    if (!flags.enabled.empty()) return flags;
    if (!flags.unread.empty()) {
        protocol.showNoAnswer();
    } else {
        (void)protocol.prompts().show(noneText, "Information", MessageIcon::Information, MessageButtons::Ok);
    }
    return flags;
}

void retryLoopFlags(UnitProtocol& protocol, LinkHealth& health, char letter, std::vector<int>& unread,
                    const std::function<void(int loop)>& found) {
    if (unread.empty()) return;
    (void)selectPage(protocol, health, kControlPage);
    LoopFlags flags = readLoopFlags(protocol, health, letter, unread);
    unread = std::move(flags.unread);
    for (const int loop : flags.enabled) found(loop);
}

FieldMessage writeProblem(const std::vector<std::string>& what) {
    std::string text = "Unable to set ";
    for (std::size_t i = 0; i < what.size(); ++i) text += (i == 0 ? "" : ", ") + what[i];
    return FieldMessage{text, "Problem", MessageIcon::Exclamation, FieldMessage::Sound::None};
}

std::string registerCodeLabel(std::optional<std::uint16_t> code) {
    if (!code) return "(?)";
    if (*code == 0) return {};
    const RegisterRef ref(static_cast<std::uint8_t>(*code));
    return "(" + std::string(1, ref.letter()) + std::to_string(ref.number()) + ")";
}

std::optional<std::uint16_t> readRegisterCode(UnitProtocol& protocol, LinkHealth& health, char letter, int index) {
    std::uint16_t code = 0;
    if (failed(readHexIndexed(protocol, health, letter, index, code))) return std::nullopt;
    return code;
}

RegisterValue readRegisterValue(UnitProtocol& protocol, LinkHealth& health, std::optional<std::uint16_t> code) {
    const RegisterValue error{"Error", std::nullopt};
    if (!code) return error;
    if (*code == 0) return {};
    const RegisterRef ref(static_cast<std::uint8_t>(*code));
    std::int16_t value = 0;
    if (ref.letter() == 'A') {
        std::int16_t status = 0;
        if (failed(readDecimalIndexed(protocol, health, kInputStatusItem, ref.number(), status))) return error;
        if ((static_cast<std::uint16_t>(status) & kInputBroken) != 0) return {"Broken", std::nullopt};
    } else if (ref.letter() != 'B') {
        return {};
    }
    if (failed(readDecimalIndexed(protocol, health, ref.letter(), ref.number(), value))) return error;
    return {std::to_string(value), value};
}

}  // namespace zat
