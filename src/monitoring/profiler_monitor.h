// The profiler monitor without a window: one tab per profiler enabled in the
// unit, its measured value, setpoint, profile, segment, dwell and run state
// polled 2000 ms after the end of the previous poll, and its run control.
#pragma once

#include "comms/link_health.h"
#include "comms/protocol.h"
#include "model/config_database.h"
#include "monitoring/monitor_common.h"
#include "userio/field_check.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zat {

enum class ProfileArrow { None, RampUp, RampDown, Dwell };

// The arrow beside the segment for a status word: none while stopped (bit 0
// clear), dwelling while not ramping (bit 1 clear), up or down by bit 2.
[[nodiscard]] ProfileArrow profileArrow(std::uint16_t status);

struct ProfilerMonitorTab {
    int profiler = 0;
    std::string title;  // "Profiler 3"
};

struct ProfilerMonitorPage {
    std::vector<ProfilerMonitorTab> tabs;
    int profiler = 0;
    std::string windowTitle;               // "Profiler Monitor - " and the local comment
    std::string measuredCode, outputCode;  // "(A5)"; empty for no register
    std::string measured, setpoint;        // "Broken", "Error", the number; empty for no register
    std::string profile, segment, dwell;   // numbers; empty when unread or stopped (segment)
    int profilePosition = 0;               // the profile chosen, 0..5
    bool running = false;                  // "Running" lit, "Stopped" unlit
    bool held = false;                     // "Held" lit
    ProfileArrow arrow = ProfileArrow::None;
    bool startEnabled = false, resetEnabled = false, holdEnabled = false, holdChecked = false;
    bool profileChoiceEnabled = false;
    std::optional<std::uint16_t> status;  // the word of the last poll; none when that read failed
    std::string linkStatus;               // "No reply from unit" while the unit is silent
};

class ProfilerMonitor {
public:
    static constexpr std::chrono::milliseconds kPollInterval{2000};
    static constexpr std::string_view kNoProfilersText = "There are no active Profilers";

    explicit ProfilerMonitor(const ConfigDatabase& database) : database_(database) {}

    [[nodiscard]] Outcome open(UnitProtocol& protocol);
    void selectTab(UnitProtocol& protocol, int tab);
    void tick(UnitProtocol& protocol);
    // The up-down arrow: the profile number moves by `step` within 0..5 and is
    // written to the unit at once.
    void stepProfile(UnitProtocol& protocol, int step);
    // Start and Reset: the message to show when they fail.
    [[nodiscard]] std::optional<FieldMessage> start(UnitProtocol& protocol);
    [[nodiscard]] std::optional<FieldMessage> reset(UnitProtocol& protocol);
    // The Hold box after the user toggled it: holds or frees the profiler;
    // when the unit did not take it, the box goes back.
    void setHold(UnitProtocol& protocol, bool checked);

    // The window is closing: nothing more is sent.
    void stop() { health_.stop(); }
    [[nodiscard]] std::chrono::milliseconds tickInterval() const { return health_.interval(kPollInterval); }
    [[nodiscard]] const ProfilerMonitorPage& page() const { return page_; }

private:
    [[nodiscard]] Outcome command(UnitProtocol& protocol, char letter);
    void addTab(int profiler);
    void showLinkStatus() { page_.linkStatus = std::string(health_.statusText()); }

    const ConfigDatabase& database_;
    LinkHealth health_;
    ProfilerMonitorPage page_;
    // Codes read when the profiler was shown; none when that read failed.
    std::optional<std::uint16_t> mvCode_, opCode_;
    std::uint16_t status_ = 0;
    std::vector<int> unreadProfilers_;  // flags not read yet: asked at every poll
};

}  // namespace zat
