// The parts of a simulated unit, shared by the files that implement
// UnitState: unit_items.cpp (item memory and live values), unit_process.cpp
// (time, registers, controllers, profilers) and unit_state.cpp (requests).
#pragma once

#include "sim/analog_inputs.h"
#include "sim/cold_junctions.h"
#include "sim/digital_inputs.h"
#include "sim/item_table.h"
#include "sim/pid_loop.h"
#include "sim/profiler.h"
#include "sim/random_walk.h"
#include "sim/scale_span.h"
#include "sim/unit_state.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace zat::sim {

constexpr int kControllers = 8;
constexpr int kAnalogOutputs = 40;
constexpr std::uint16_t kSlotThermocouple = 3;

struct ControllerRun {
    bool active = false;
    PidLoop loop;
    std::optional<FirstOrderProcess> process;  // while it measures an analog input
    std::optional<int> drivenInput;
    double cycleSeconds = 0;  // into the cycle of a time-proportioned output
};

struct UnitState::Impl {
    explicit Impl(const UnitConfig& unitConfig);

    // Items as the table describes them (unit_items.cpp). Index and value
    // ranges are checked here; access (read-only, write-only) is not.
    std::optional<std::uint16_t> read(const ItemInfo& item, int index) const;
    bool write(const ItemInfo& item, int index, std::int32_t value);
    // A Stored item in a given bank (hot/cold block or profile).
    std::uint16_t stored(const ItemInfo& item, int bank, int index) const;
    std::uint16_t& cell(const ItemInfo& item, int bank, int index);
    std::uint16_t stored(int page, char letter, int index) const;
    int selectedBank(const ItemInfo& item) const;
    ChannelSetup inputSetup(int input) const;
    ScaleSpan outputSpan(int output) const;
    std::int16_t reportedOutput(int output) const;

    // Time and what runs in it (unit_process.cpp).
    void advance(std::uint32_t milliseconds);
    void tick(double seconds);
    bool command(char letter);
    ProfileTable profiles() const;
    std::optional<double> readRegister(std::uint16_t code) const;
    void writeRegister(std::uint16_t code, double value);
    void runController(int number, double seconds);
    void driveTimeProportioned(int number, double share, double seconds);
    void signalProfilerEvents(int number);
    void setDigitalOutput(int output, bool on);

    UnitConfig config;
    Random random;
    std::vector<std::vector<std::uint16_t>> memory;  // Stored items, by table slot
    int page = 0;
    int hotColdBlock = 0;
    int profile = 0;
    int initialiseCount = 0;
    AnalogInputs inputs;
    ColdJunctions coldJunctions;
    DigitalInputs digitalInputs;
    std::array<ControllerRun, kControllers> controllers{};
    std::array<Profiler, kProfiles> profilers{};
    double pendingMilliseconds = 0;
    bool silent = false;
};

}  // namespace zat::sim
