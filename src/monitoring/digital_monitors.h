// The digital input and output monitors without a window: eight channels per
// group tab as lamps, polled every 1000 ms through the group state ("G" for
// inputs, "H" for outputs, bit i for row i); the output monitor also forces a
// group with check boxes and Apply.
#pragma once

#include "comms/link_health.h"
#include "comms/protocol.h"
#include "model/config_database.h"
#include "monitoring/monitor_common.h"

#include <array>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace zat {

constexpr int kDigitalRows = 8;

struct DigitalMonitorRow {
    std::string name;          // "C05", "D48"
    std::string comment;       // from the database, UTF-8
    std::optional<bool> lamp;  // unknown (blank) until the group is read after a page load
    bool checked = false;      // output monitor: the box
    bool touched = false;      // output monitor: changed by the user since the last load or apply
};

struct DigitalMonitorPage {
    std::vector<MonitorTab> tabs;
    int group = 0;
    std::array<DigitalMonitorRow, kDigitalRows> rows;
    bool boxesEnabled = false;  // output monitor: the last group read succeeded
    bool applyEnabled = false;
    std::string linkStatus;  // "No reply from unit" while the unit is silent
};

class DigitalMonitor {
public:
    static constexpr std::chrono::milliseconds kPollInterval{1000};

    [[nodiscard]] Outcome open(UnitProtocol& protocol);
    // Names and comments at once, lamps blank; the output monitor reads the
    // group and sets every box from it.
    void loadPage(UnitProtocol& protocol, int group);
    // Reads the group: the lamps follow it, and so do the boxes the user has
    // not touched.
    void tick(UnitProtocol& protocol) { updateLamps(protocol); }

    // The window is closing: nothing more is sent.
    void stop() { health_.stop(); }
    [[nodiscard]] std::chrono::milliseconds tickInterval() const { return health_.interval(kPollInterval); }
    [[nodiscard]] const DigitalMonitorPage& page() const { return page_; }

protected:
    DigitalMonitor(bool outputs, const ConfigDatabase& database) : outputs_(outputs), database_(database) {}

    void updateLamps(UnitProtocol& protocol);
    void showLinkStatus() { page_.linkStatus = std::string(health_.statusText()); }

    const bool outputs_;
    const ConfigDatabase& database_;
    LinkHealth health_;
    DigitalMonitorPage page_;
};

// C00..C39 in five slot tabs, bright for card code 6; no boxes.
class DigitalInputMonitor : public DigitalMonitor {
public:
    explicit DigitalInputMonitor(const ConfigDatabase& database) : DigitalMonitor(false, database) {}
};

// D00..D55 in five slot tabs (bright for card code 7) and "40-47", "48-55".
class DigitalOutputMonitor : public DigitalMonitor {
public:
    explicit DigitalOutputMonitor(const ConfigDatabase& database) : DigitalMonitor(true, database) {}

    // The user sets a box: Apply is enabled. Ignored while the boxes are disabled.
    void setBox(int row, bool checked);
    // Writes the group as the boxes show it (untouched boxes as their lamps),
    // then reads it back. Nothing is written while the boxes are disabled;
    // after a failed write the boxes keep the user's choice, Apply stays
    // enabled and the message saying so is returned.
    [[nodiscard]] std::optional<FieldMessage> apply(UnitProtocol& protocol);
};

}  // namespace zat
