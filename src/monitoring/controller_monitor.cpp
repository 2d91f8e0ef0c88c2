#include "monitoring/controller_monitor.h"

#include "model/cp1252.h"
#include "model/register_ref.h"
#include "monitoring/monitor_common.h"

#include <algorithm>
#include <cstdlib>

namespace zat {

namespace {

constexpr std::uint16_t kEnabled = 0x80;
constexpr std::array<char, kControllerTerms> kTermLetters{'J', 'K', 'L'};
constexpr std::array<int, kControllerTerms> kTermLow{1, 0, 0};
constexpr std::array<int, kControllerTerms> kTermHigh{9999, 2000, 1000};
constexpr std::array<const char*, kControllerTerms> kTermNames{"Proportional band", "Integral Time",
                                                              "Derivative Time"};

// At most five characters, the leading decimal number (0 if none), as a
// signed 16-bit value.
std::int16_t leadingNumber(const std::string& text) {
    const std::string head = text.substr(0, 5);
    return static_cast<std::int16_t>(std::strtol(head.c_str(), nullptr, 10));
}

std::uint16_t& termField(TController& record, int term) {
    return term == 0 ? record.propBand : term == 1 ? record.intTime : record.derTime;
}

}  // namespace

std::string registerCodeLabel(std::uint16_t code) {
    if (code == 0) return {};
    const RegisterRef ref(static_cast<std::uint8_t>(code));
    return "(" + std::string(1, ref.letter()) + std::to_string(ref.number()) + ")";
}

Outcome ControllerMonitor::open(UnitProtocol& protocol) {
    if (failed(protocol.checkUnit(true))) return Outcome::Failed;
    health_.beginBatch();
    (void)selectPage(protocol, health_, 1);
    bool readFailed = false;
    for (int i = 0; i < kControllerCount; ++i) {
        std::uint16_t flags = 0;
        if (failed(readHexIndexed(protocol, health_, 'a', i, flags))) readFailed = true;
        if (!readFailed && (flags & kEnabled) != 0) page_.tabs.push_back({i, "Controller " + std::to_string(i + 1)});
    }
    if (page_.tabs.empty()) {
        (void)protocol.prompts().show(kNoControllersText, "Information", MessageIcon::Information,
                                      MessageButtons::Ok);
        return Outcome::Failed;
    }
    selectTab(protocol, 0);
    return Outcome::Ok;
}

void ControllerMonitor::selectTab(UnitProtocol& protocol, int tab) {
    page_.controller = page_.tabs.at(tab).controller;
    loadRecord(protocol);
}

void ControllerMonitor::loadRecord(UnitProtocol& protocol) {
    const int c = page_.controller;
    health_.beginBatch();
    page_.windowTitle = "Controller Monitor - " + cp1252ToUtf8(database_.controllers[c].comment.view());
    (void)selectPage(protocol, health_, 1);
    (void)readHexIndexed(protocol, health_, 'b', c, mvCode_);
    (void)readHexIndexed(protocol, health_, 'c', c, spCode_);
    (void)readHexIndexed(protocol, health_, 'd', c, opCode_);
    page_.measuredCode = registerCodeLabel(mvCode_);
    page_.setpointCode = registerCodeLabel(spCode_);
    page_.outputCode = registerCodeLabel(opCode_);
    for (int k = 0; k < kControllerTerms; ++k) {
        std::int16_t value = 0;
        page_.terms[k] =
            succeeded(readDecimalIndexed(protocol, health_, kTermLetters[k], c, value)) ? std::to_string(value) : "";
    }
    page_.applyEnabled = false;
    page_.measured.clear();
    page_.setpoint.clear();
    page_.outputBar.reset();
    tick(protocol);
}

std::optional<std::int16_t> ControllerMonitor::readRegister(UnitProtocol& protocol, std::uint16_t code,
                                                            bool& broken) {
    broken = false;
    if (code == 0) return std::nullopt;
    const RegisterRef ref(static_cast<std::uint8_t>(code));
    std::int16_t value = 0;
    if (ref.letter() == 'A') {
        std::int16_t status = 0;
        if (failed(readDecimalIndexed(protocol, health_, 'F', ref.number(), status))) return std::nullopt;
        if ((static_cast<std::uint16_t>(status) & 0x80) != 0) {
            broken = true;
            return std::nullopt;
        }
        if (failed(readDecimalIndexed(protocol, health_, 'A', ref.number(), value))) return std::nullopt;
        return value;
    }
    if (ref.letter() == 'B' && succeeded(readDecimalIndexed(protocol, health_, 'B', ref.number(), value)))
        return value;
    return std::nullopt;  // C and D registers are not shown
}

void ControllerMonitor::tick(UnitProtocol& protocol) {
    health_.beginBatch();
    bool broken = false;
    const auto text = [&](std::uint16_t code) {
        const std::optional<std::int16_t> value = readRegister(protocol, code, broken);
        return broken ? std::string("Broken") : value ? std::to_string(*value) : std::string();
    };
    page_.measured = text(mvCode_);
    page_.setpoint = text(spCode_);
    const std::optional<std::int16_t> output = readRegister(protocol, opCode_, broken);
    page_.outputBar = output ? std::optional<int>(std::clamp(*output + 1000, 0, 2000)) : std::nullopt;
    showLinkStatus();
}

void ControllerMonitor::setTerm(int term, std::string text) {
    page_.terms[term] = std::move(text);
    page_.applyEnabled = true;
}

std::vector<TermRefusal> ControllerMonitor::apply(UnitProtocol& protocol) {
    std::vector<TermRefusal> refusals;
    const int c = page_.controller;
    health_.beginBatch();
    for (int k = 0; k < kControllerTerms; ++k) {
        std::int16_t value = leadingNumber(page_.terms[k]);
        if (value < kTermLow[k] || value > kTermHigh[k]) {
            refusals.push_back({k, FieldMessage{std::string(kTermNames[k]) + "\nValid range " +
                                                    std::to_string(kTermLow[k]) + " to " + std::to_string(kTermHigh[k]),
                                                "Value out of range", MessageIcon::Exclamation,
                                                FieldMessage::Sound::None}});
            if (failed(readDecimalIndexed(protocol, health_, kTermLetters[k], c, value))) continue;
            page_.terms[k] = std::to_string(value);
        }
        // A failed write has beeped; the record keeps what was meant.
        (void)health_.run(protocol, [&](UnitProtocol& p) { return p.writeDecimalIndexed(kTermLetters[k], c, value); });
        termField(database_.controllers[c], k) = static_cast<std::uint16_t>(value);
        database_.markModified();
    }
    page_.applyEnabled = false;
    showLinkStatus();
    return refusals;
}

}  // namespace zat
