// The controller monitor without a window: one tab per controller enabled in
// the unit, its measured value, setpoint and output polled 2000 ms after the
// end of the previous poll, and its three terms retuned.
#pragma once

#include "comms/link_health.h"
#include "comms/protocol.h"
#include "comms/unit_image.h"
#include "model/config_database.h"
#include "monitoring/monitor_common.h"  // registerCodeLabel
#include "userio/field_check.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zat {

constexpr int kControllerTerms = 3;  // P, I, D

struct ControllerMonitorTab {
    int controller = 0;
    std::string title;  // "Controller 2"
};

struct ControllerMonitorPage {
    std::vector<ControllerMonitorTab> tabs;
    int controller = 0;
    std::string windowTitle;                             // "Controller Monitor - " and the local comment
    std::string measuredCode, setpointCode, outputCode;  // "(A5)"; empty for no register
    std::string measured, setpoint;                      // "Broken", the number, or empty when unread
    std::optional<std::int16_t> output;                  // the output register's value; none when unread
    std::optional<int> outputBar;                        // 0..2000 (output + 1000, clamped); none when unread
    std::array<std::string, kControllerTerms> terms;     // P, I, D entries
    bool applyEnabled = false;
    std::string linkStatus;  // "No reply from unit" while the unit is silent
};

struct TermRefusal {
    int term = 0;  // 0 P, 1 I, 2 D
    FieldMessage message;
};

class ControllerMonitor {
public:
    static constexpr std::chrono::milliseconds kPollInterval{2000};
    static constexpr std::string_view kNoControllersText = "There are no active PID controllers";

    // Applied terms are stored into the database's controller records, and
    // into the image of the unit when one is held (what a term's write left
    // on the unit; the image is dropped when that cannot be read).
    explicit ControllerMonitor(ConfigDatabase& database, UnitImage* image = nullptr)
        : database_(database), image_(image) {}

    // Probes the unit, makes the tabs and shows the first controller. With no
    // enabled controller it tells the user so (or that the unit did not
    // answer) and fails: the monitor closes. A controller whose flags could
    // not be read is asked again at every poll and gets its tab, in its
    // place, once found enabled.
    [[nodiscard]] Outcome open(UnitProtocol& protocol);
    // Shows the controller of tab `tab`: codes, terms from the unit, values.
    void selectTab(UnitProtocol& protocol, int tab);
    // The poll; the next one is due tickInterval() after it ends.
    void tick(UnitProtocol& protocol);
    void setTerm(int term, std::string text);
    // Writes P, I, D in turn; an empty term is not written. A term that is
    // not a number or out of range is replaced by the unit's own value
    // (written back unchanged) and its message returned. A term is stored in
    // the database only when the unit took it: after a failed write the term
    // is read back, and when the unit does not hold it its field shows what
    // the unit holds (empty when that read fails too) and one message names
    // the terms not set.
    [[nodiscard]] std::vector<TermRefusal> apply(UnitProtocol& protocol);

    // The window is closing: nothing more is sent.
    void stop() { health_.stop(); }
    [[nodiscard]] std::chrono::milliseconds tickInterval() const { return health_.interval(kPollInterval); }
    [[nodiscard]] const ControllerMonitorPage& page() const { return page_; }

private:
    void loadRecord(UnitProtocol& protocol);
    void addTab(int controller);
    void showLinkStatus() { page_.linkStatus = std::string(health_.statusText()); }

    // The unit holds `value` as term `term` of the controller shown.
    void noteTerm(int term, std::uint16_t value);

    ConfigDatabase& database_;
    UnitImage* image_;
    LinkHealth health_;
    ControllerMonitorPage page_;
    // Codes read when the controller was shown; none when that read failed.
    std::optional<std::uint16_t> mvCode_, spCode_, opCode_;
    std::vector<int> unreadControllers_;  // flags not read yet
};

}  // namespace zat
