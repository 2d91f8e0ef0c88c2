// The inner state of a simulated ZAT V2 and its answers to request frames.
// Pure logic: no clock of its own and no I/O, so it can be driven step by step.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace zat::sim {

struct UnitConfig {
    int address = 1;
    // Card code per slot: 1, 2, 3 analog input (3 thermocouple), 4, 5 analog
    // output, 6 digital input, 7 digital output, 0 empty.
    std::array<std::uint16_t, 5> slotCodes{3, 1, 4, 6, 7};
    std::uint32_t randomStart = 1;  // for the plausible wander of the inputs
    // Simulated time per real time given to advance(): 60 runs a minute of
    // profile in a second.
    double timeScale = 1.0;
};

class UnitState {
public:
    explicit UnitState(const UnitConfig& config = {});

    // One complete request without its carriage return. Returns the reply
    // without its carriage return, or nothing when a real unit would stay
    // silent (malformed frame, another address).
    std::optional<std::string> handle(std::string_view request);

    // Lets simulated process time pass (inputs wander, controllers act,
    // profilers ramp and dwell).
    void advance(std::uint32_t milliseconds);

    // Inspection and set-up for tests and the program's options.
    const UnitConfig& config() const;
    // The address the unit answers to, as its DIL switch would set it.
    void setAddress(int address);
    int page() const;
    // A configuration item as the unit stores it (hex items, by page, letter
    // and index; index 0 for items without one). Hot/cold block and profile
    // items are those of the block or profile selected at the time.
    std::optional<std::uint16_t> item(int page, char letter, int index) const;
    bool setItem(int page, char letter, int index, std::uint16_t value);
    // A live register: "A", "B", "E", "F", "G", "H", "S" and the rest of the
    // upper-case items, by letter and index; value as the unit would reply.
    std::optional<std::int16_t> value(char letter, int index) const;
    bool setValue(char letter, int index, std::int16_t value);
    void setBrokenSensor(int input, bool broken);
    // A silent unit hears requests but neither answers nor acts on them, as a
    // unit that lost power or its line would look; it answers again when
    // no longer silent. Time still passes for it.
    void setSilent(bool silent);
    bool silent() const;
    // Sets or clears the "invalid" bit (0x04) of an analog output's status
    // word "E", as the unit does for an output it cannot drive.
    void setInvalidOutput(int output, bool invalid);
    int selectedHotColdBlock() const;
    int selectedProfile() const;
    int initialiseCount() const;  // how many "I" commands arrived

private:
    struct Impl;
    std::shared_ptr<Impl> impl_;
};

}  // namespace zat::sim
