// The 40 analog inputs: what each channel reads for its type word and
// scalars, wandering slowly, with broken sensors, values pinned from outside
// and values driven by a controller's simulated process.
#pragma once

#include "sim/calibration_effect.h"
#include "sim/random_walk.h"

#include <array>
#include <cstdint>
#include <optional>

namespace zat::sim {

// The configuration a reading depends on (page 0 items "a", "~" and DEL).
struct ChannelSetup {
    std::uint16_t typeWord = 0;  // bits 0-4 type index, bit 5 Fahrenheit, bit 6 tenths
    std::int16_t hiScalar = 0;
    std::int16_t loScalar = 0;
    Calibration calibration;  // the zero and span of the type's measuring range
};

// Input status word ("F") bits.
constexpr std::int16_t kStatusBrokenSensor = 0x80;
constexpr std::int16_t kStatusAboveHiScalar = 0x40;
constexpr std::int16_t kStatusBelowLoScalar = 0x20;
constexpr std::int16_t kStatusUnknownType = 0x10;  // type index outside the table

class AnalogInputs {
public:
    static constexpr int kCount = 40;

    explicit AnalogInputs(Random& random);

    void wander(double seconds, Random& random);

    // The value the unit reports ("A"): what it measures, to whole counts.
    std::int16_t reading(int input, const ChannelSetup& setup) const;
    // What the unit measures, finer than it reports: its loops work on this.
    double measured(int input, const ChannelSetup& setup) const;
    std::int16_t status(int input, const ChannelSetup& setup) const;
    // What the channel's own signal gives: no pin, no controller, no break.
    double natural(int input, const ChannelSetup& setup) const;
    // What a process measured on the channel falls back to with no heat or
    // drive: the room's temperature, or the bottom of a linear range.
    static double resting(const ChannelSetup& setup);

    // A broken sensor freezes the reading where it was.
    void setBroken(int input, bool broken, const ChannelSetup& setup);
    void pin(int input, std::int16_t value);
    void drive(int input, std::optional<double> value);

private:
    static double convert(const ChannelSetup& setup, double celsius, double fraction);

    struct Channel {
        double celsius;  // temperature types
        Wander temperature;
        double fraction;  // linear types: position between the scalars
        bool broken = false;
        std::int16_t frozen = 0;
        std::optional<std::int16_t> pinned;
        std::optional<double> driven;
    };
    std::array<Channel, kCount> channels_;
};

}  // namespace zat::sim
