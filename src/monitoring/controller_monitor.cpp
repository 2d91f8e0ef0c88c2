#include "monitoring/controller_monitor.h"

#include "model/comment.h"
#include "model/register_ref.h"
#include "monitoring/monitor_common.h"

#include <algorithm>
#include <cstdlib>

namespace zat {

namespace {

constexpr std::array<char, kControllerTerms> kTermLetters{kProportionalBandItem, kIntegralTimeItem,
                                                          kDerivativeTimeItem};
constexpr std::array<int, kControllerTerms> kTermLow{1, 0, 0};
constexpr std::array<int, kControllerTerms> kTermHigh{9999, 2000, 1000};
constexpr std::array<const char*, kControllerTerms> kTermNames{"Proportional band", "Integral Time", "Derivative Time"};

// At most five characters, the leading decimal number, whole (not narrowed
// to 16 bits, so 70000 stays out of range); none when there is no number.
std::optional<long> leadingNumber(const std::string& text) {
    const std::string head = text.substr(0, 5);
    char* end = nullptr;
    const long value = std::strtol(head.c_str(), &end, 10);
    if (end == head.c_str()) return std::nullopt;
    return value;
}

bool blank(const std::string& text) { return text.find_first_not_of(" \t") == std::string::npos; }

std::uint16_t& termField(TController& record, int term) {
    return term == 0 ? record.propBand : term == 1 ? record.intTime : record.derTime;
}

}  // namespace

Outcome ControllerMonitor::open(UnitProtocol& protocol) {
    if (failed(protocol.checkUnit(true))) return Outcome::Failed;
    health_.beginBatch();
    (void)selectPage(protocol, health_, kControlPage);
    const LoopFlags loops =
        readEnabledLoops(protocol, health_, kControllerFlagsItem, kControllerCount, kNoControllersText);
    for (const int i : loops.enabled) addTab(i);
    if (page_.tabs.empty()) return Outcome::Failed;
    unreadControllers_ = loops.unread;
    selectTab(protocol, 0);
    return Outcome::Ok;
}

void ControllerMonitor::addTab(int controller) {
    const auto place = std::find_if(page_.tabs.begin(), page_.tabs.end(),
                                    [&](const ControllerMonitorTab& tab) { return tab.controller > controller; });
    page_.tabs.insert(place, {controller, "Controller " + std::to_string(controller + 1)});
}

void ControllerMonitor::selectTab(UnitProtocol& protocol, int tab) {
    page_.controller = page_.tabs.at(tab).controller;
    loadRecord(protocol);
}

void ControllerMonitor::loadRecord(UnitProtocol& protocol) {
    const int c = page_.controller;
    health_.beginBatch();
    page_.windowTitle = "Controller Monitor - " + commentText(database_.controllers[c].comment);
    (void)selectPage(protocol, health_, kControlPage);
    mvCode_ = readRegisterCode(protocol, health_, kControllerMeasuredItem, c);
    spCode_ = readRegisterCode(protocol, health_, kControllerSetpointItem, c);
    opCode_ = readRegisterCode(protocol, health_, kControllerOutputItem, c);
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
    page_.output.reset();
    page_.outputBar.reset();
    tick(protocol);
}

void ControllerMonitor::tick(UnitProtocol& protocol) {
    health_.beginBatch();
    retryLoopFlags(protocol, health_, kControllerFlagsItem, unreadControllers_,
                   [this](int controller) { addTab(controller); });
    page_.measured = readRegisterValue(protocol, health_, mvCode_).text;
    page_.setpoint = readRegisterValue(protocol, health_, spCode_).text;
    page_.output = readRegisterValue(protocol, health_, opCode_).value;
    page_.outputBar = page_.output ? std::optional<int>(std::clamp(*page_.output + 1000, 0, 2000)) : std::nullopt;
    showLinkStatus();
}

void ControllerMonitor::setTerm(int term, std::string text) {
    page_.terms[term] = std::move(text);
    page_.applyEnabled = true;
}

void ControllerMonitor::noteTerm(int term, std::uint16_t value) {
    if (image_ != nullptr)
        image_->written([&](ConfigDatabase& unit) { termField(unit.controllers[page_.controller], term) = value; });
}

std::vector<TermRefusal> ControllerMonitor::apply(UnitProtocol& protocol) {
    std::vector<TermRefusal> refusals;
    std::vector<std::string> notSet;
    int firstNotSet = 0;
    const int c = page_.controller;
    health_.beginBatch();
    for (int k = 0; k < kControllerTerms; ++k) {
        // An empty term (one the unit did not give, or cleared) is not written.
        if (blank(page_.terms[k])) continue;
        const std::optional<long> entered = leadingNumber(page_.terms[k]);
        std::int16_t value = 0;
        if (entered && *entered >= kTermLow[k] && *entered <= kTermHigh[k]) {
            value = static_cast<std::int16_t>(*entered);
        } else {
            refusals.push_back(
                {k, FieldMessage{std::string(kTermNames[k]) + "\nValid range " + std::to_string(kTermLow[k]) + " to " +
                                     std::to_string(kTermHigh[k]),
                                 "Value out of range", MessageIcon::Exclamation, FieldMessage::Sound::None}});
            if (failed(readDecimalIndexed(protocol, health_, kTermLetters[k], c, value))) continue;
            page_.terms[k] = std::to_string(value);
        }
        if (failed(health_.run(protocol,
                               [&](UnitProtocol& p) { return p.writeDecimalIndexed(kTermLetters[k], c, value); }))) {
            // The reply may be what was lost: the unit is asked what it holds
            // (even when silent), and the field shows it.
            health_.beginBatch();
            std::int16_t held = 0;
            const bool read = succeeded(readDecimalIndexed(protocol, health_, kTermLetters[k], c, held));
            if (!read || held != value) {
                page_.terms[k] = read ? std::to_string(held) : "";
                if (read) {
                    noteTerm(k, static_cast<std::uint16_t>(held));
                } else if (image_ != nullptr) {
                    image_->drop();  // what the unit holds is not known
                }
                if (notSet.empty()) firstNotSet = k;
                notSet.emplace_back(kTermNames[k]);
                continue;  // the record keeps what it had
            }
        }
        termField(database_.controllers[c], k) = static_cast<std::uint16_t>(value);
        database_.markModified();
        noteTerm(k, static_cast<std::uint16_t>(value));
    }
    if (!notSet.empty()) refusals.push_back({firstNotSet, writeProblem(notSet)});
    page_.applyEnabled = false;
    showLinkStatus();
    return refusals;
}

}  // namespace zat
