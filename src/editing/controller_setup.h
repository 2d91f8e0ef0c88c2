// The rules of the Controllers editor: one PID controller per tab, its
// enabled box, comment, the registers it reads and drives, its three terms,
// and an output that is either analog or time-proportioned onto a digital
// output register with a cycle time.
#pragma once

#include "editing/store_result.h"
#include "model/config_database.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace zat {

constexpr uint16_t kControllerEnabled = 0x0080;

constexpr int kMinPropBand = 1;
constexpr int kMaxPropBand = 9999;
constexpr int kMinIntTime = 0;
constexpr int kMaxIntTime = 2000;
constexpr int kMinDerTime = 0;
constexpr int kMaxDerTime = 1000;
constexpr int kMinTpCycle = 10;
constexpr int kMaxTpCycle = 250;
// An analog controller keeps this cycle time.
constexpr uint16_t kAnalogTpCycle = 10;

constexpr std::size_t kControllerRegisterLength = 3;
constexpr std::size_t kTermEditLength = 4;
constexpr std::size_t kCycleEditLength = 3;

// "Controller 1".."Controller 8" for controllers 0..7.
std::string controllerTabTitle(int controller);
// The tab's picture shows this.
bool isControllerEnabled(const TController& controller);

// A controller as shown, and as the page gives it back to be stored. Register
// edits hold "A5", "B12", "D0" or nothing; numbers are the edits' texts.
struct ControllerPage {
    bool enabled = false;
    bool timeProportioned = false;  // "TP"; clear: "Analog"
    std::string comment{};          // UTF-8
    std::string measured{};
    std::string setpoint{};
    std::string output{};
    std::string propBand{};
    std::string intTime{};
    std::string derTime{};
    // TP only; loaded empty for an analog controller.
    std::string digital{};  // "To Digital Register", letter D
    std::string cycle{};    // "Cycle Time"

    friend bool operator==(const ControllerPage&, const ControllerPage&) = default;
};

ControllerPage loadController(const ConfigDatabase& db, int controller);

// The fields a store can refuse, in the order they are checked.
enum class ControllerField { Setpoint, Measured, Output, PropBand, IntTime, DerTime, Digital, Cycle };

// Checks, in this order: the setpoint, measured and output registers (A or
// B; each empty one refused under "Error" when the controller is enabled),
// the proportional band 1..9999, integral time 0..2000, derivative time
// 0..1000 (each read from its start, empty as 0, refused under "Value out of
// range"), then for TP the digital register (D, empty allowed) and the cycle
// time 10..250. A refused store writes nothing at all, not even the enabled
// bit. A store that passes writes the whole record, flags built afresh
// (enabled 0x80, TP 0x40 with the digital register's number + 1 in bits
// 0-5), and marks the database modified, changed or not.
StoreResult<ControllerField> storeController(ConfigDatabase& db, int controller, const ControllerPage& page);

}  // namespace zat
