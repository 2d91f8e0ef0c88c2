#include "monitoring/profiler_monitor.h"

#include "model/comment.h"
#include "model/register_ref.h"
#include "monitoring/monitor_common.h"

#include <algorithm>

namespace zat {

namespace {

constexpr int kLastProfile = kProfileCount - 1;

FieldMessage problem(const char* text, const char* caption) {
    return FieldMessage{text, caption, MessageIcon::Exclamation, FieldMessage::Sound::None};
}

}  // namespace

ProfileArrow profileArrow(std::uint16_t status) {
    if ((status & kProfilerRunning) == 0) return ProfileArrow::None;
    if ((status & kProfilerRamping) == 0) return ProfileArrow::Dwell;
    return (status & kProfilerRampUp) != 0 ? ProfileArrow::RampUp : ProfileArrow::RampDown;
}

Outcome ProfilerMonitor::open(UnitProtocol& protocol) {
    if (failed(protocol.checkUnit(true))) return Outcome::Failed;
    health_.beginBatch();
    (void)selectPage(protocol, health_, kControlPage);
    const LoopFlags loops = readEnabledLoops(protocol, health_, kProfilerFlagsItem, kProfilerCount, kNoProfilersText);
    for (const int i : loops.enabled) addTab(i);
    if (page_.tabs.empty()) return Outcome::Failed;
    unreadProfilers_ = loops.unread;
    selectTab(protocol, 0);
    return Outcome::Ok;
}

void ProfilerMonitor::addTab(int profiler) {
    const auto place = std::find_if(page_.tabs.begin(), page_.tabs.end(),
                                    [&](const ProfilerMonitorTab& tab) { return tab.profiler > profiler; });
    page_.tabs.insert(place, {profiler, "Profiler " + std::to_string(profiler + 1)});
}

void ProfilerMonitor::selectTab(UnitProtocol& protocol, int tab) {
    page_.profiler = page_.tabs.at(tab).profiler;
    health_.beginBatch();
    page_.windowTitle = "Profiler Monitor - " + commentText(database_.profilers[page_.profiler].comment);
    (void)selectPage(protocol, health_, kControlPage);
    mvCode_ = readRegisterCode(protocol, health_, kProfilerMeasuredItem, page_.profiler);
    opCode_ = readRegisterCode(protocol, health_, kProfilerOutputItem, page_.profiler);
    page_.measuredCode = registerCodeLabel(mvCode_);
    page_.outputCode = registerCodeLabel(opCode_);
    tick(protocol);
}

void ProfilerMonitor::tick(UnitProtocol& protocol) {
    health_.beginBatch();
    retryLoopFlags(protocol, health_, kProfilerFlagsItem, unreadProfilers_, [this](int profiler) { addTab(profiler); });
    const int p = page_.profiler;
    page_.measured = readRegisterValue(protocol, health_, mvCode_).text;
    page_.setpoint = readRegisterValue(protocol, health_, opCode_).text;
    std::int16_t value = 0;
    page_.status.reset();
    if (succeeded(readDecimalIndexed(protocol, health_, kProfilerStatusItem, p, value)))
        page_.status = status_ = static_cast<std::uint16_t>(value);
    page_.profile.clear();
    if (succeeded(readDecimalIndexed(protocol, health_, kProfilerRunsProfileItem, p, value))) {
        page_.profile = std::to_string(value);
        if (value >= 0 && value <= kLastProfile) page_.profilePosition = value;
    }
    page_.dwell = succeeded(readDecimalIndexed(protocol, health_, kProfilerDwellElapsedItem, p, value))
                      ? std::to_string(value)
                      : "";
    page_.running = (status_ & kProfilerRunning) != 0;
    page_.startEnabled = page_.profileChoiceEnabled = !page_.running;
    page_.resetEnabled = page_.holdEnabled = page_.running;
    page_.arrow = profileArrow(status_);
    if (page_.running) {
        page_.held = (status_ & kProfilerHeld) != 0;
        page_.segment = succeeded(readDecimalIndexed(protocol, health_, kProfilerSegmentItem, p, value))
                            ? std::to_string(value)
                            : "";
    } else {
        page_.held = false;
        page_.holdChecked = false;
        page_.segment.clear();
    }
    showLinkStatus();
}

void ProfilerMonitor::stepProfile(UnitProtocol& protocol, int step) {
    page_.profilePosition = std::clamp(page_.profilePosition + step, 0, kLastProfile);
    page_.profile = std::to_string(page_.profilePosition);
    health_.beginBatch();
    const auto profile = static_cast<std::int16_t>(page_.profilePosition);
    (void)health_.run(protocol, [&](UnitProtocol& u) {
        return u.writeDecimalIndexed(kProfilerRunsProfileItem, page_.profiler, profile);
    });
    showLinkStatus();
}

Outcome ProfilerMonitor::command(UnitProtocol& protocol, char letter) {
    health_.beginBatch();
    const auto profiler = static_cast<std::int16_t>(page_.profiler);
    Outcome outcome = health_.run(protocol, [&](UnitProtocol& u) { return u.writeDecimal(kProfileSelect, profiler); });
    if (succeeded(outcome)) outcome = health_.run(protocol, [&](UnitProtocol& u) { return u.sendCommand(letter); });
    showLinkStatus();
    return outcome;
}

std::optional<FieldMessage> ProfilerMonitor::start(UnitProtocol& protocol) {
    if (page_.profilePosition < 0 || page_.profilePosition > kLastProfile)
        return problem("Invalid Profile number", "Start Problem");
    if (failed(command(protocol, kStartProfilerCommand))) return problem("Unable to start profiler", "Problem");
    return std::nullopt;
}

std::optional<FieldMessage> ProfilerMonitor::reset(UnitProtocol& protocol) {
    if (failed(command(protocol, kResetProfilerCommand))) return problem("Unable to stop profiler", "Problem");
    return std::nullopt;
}

void ProfilerMonitor::setHold(UnitProtocol& protocol, bool checked) {
    // A failure only beeps, and the box shows the state the unit kept.
    page_.holdChecked =
        succeeded(command(protocol, checked ? kHoldProfilerCommand : kReleaseProfilerCommand)) ? checked : !checked;
}

}  // namespace zat
