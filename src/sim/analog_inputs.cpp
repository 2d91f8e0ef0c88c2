#include "sim/analog_inputs.h"

#include "sim/scale_span.h"

#include <algorithm>
#include <cmath>

namespace zat::sim {

namespace {

constexpr std::uint16_t kTypeIndexMask = 0x1F;
constexpr std::uint16_t kFahrenheit = 0x20;
constexpr std::uint16_t kTenths = 0x40;
constexpr int kTypeCount = 15;
constexpr Wander kFractionWander{0.5, 0.01, 0.02, 0.98};
constexpr double kRoomCelsius = 20.0;

// Types 0-8 are thermocouples and 12 is Pt100: they measure a temperature.
// The others in the table are linear and read between the scalars.
bool isTemperatureType(int type) { return type <= 8 || type == 12; }

std::int16_t toShort(double value) {
    return static_cast<std::int16_t>(std::clamp(std::lround(value), -32768L, 32767L));
}

}  // namespace

AnalogInputs::AnalogInputs(Random& random) {
    for (Channel& channel : channels_) {
        const double centre = random.between(20.0, 300.0);
        channel.celsius = centre;
        channel.temperature = Wander{centre, 0.15, centre - 15.0, centre + 15.0};
        channel.fraction = random.between(0.2, 0.8);
    }
}

void AnalogInputs::wander(double seconds, Random& random) {
    for (Channel& channel : channels_) {
        channel.celsius = channel.temperature.step(channel.celsius, seconds, random);
        channel.fraction = kFractionWander.step(channel.fraction, seconds, random);
    }
}

// What the unit reads for a temperature, or for a position between the
// scalars of a linear type, in the units the type word asks for.
double AnalogInputs::convert(const ChannelSetup& setup, double celsius, double fraction) {
    const int type = setup.typeWord & kTypeIndexMask;
    if (type >= kTypeCount) return 0.0;
    if (isTemperatureType(type)) {
        double value = celsius;
        if ((setup.typeWord & kFahrenheit) != 0) value = value * 9.0 / 5.0 + 32.0;
        if ((setup.typeWord & kTenths) != 0) value *= 10.0;
        return setup.calibration.apply(value);
    }
    // The scalars are already in the units the unit reports, tenths or not.
    const ScaleSpan range = scaleSpan(setup.loScalar, setup.hiScalar);
    return setup.calibration.apply(range.zero + fraction * (range.span - range.zero));
}

double AnalogInputs::natural(int input, const ChannelSetup& setup) const {
    const Channel& channel = channels_[static_cast<std::size_t>(input)];
    return convert(setup, channel.celsius, channel.fraction);
}

double AnalogInputs::resting(const ChannelSetup& setup) { return convert(setup, kRoomCelsius, 0.0); }

double AnalogInputs::measured(int input, const ChannelSetup& setup) const {
    const Channel& channel = channels_[static_cast<std::size_t>(input)];
    if (channel.broken) return channel.frozen;
    if (channel.pinned) return *channel.pinned;
    if (channel.driven) return *channel.driven;
    return natural(input, setup);
}

std::int16_t AnalogInputs::reading(int input, const ChannelSetup& setup) const {
    return toShort(measured(input, setup));
}

std::int16_t AnalogInputs::status(int input, const ChannelSetup& setup) const {
    std::int16_t status = 0;
    if (channels_[static_cast<std::size_t>(input)].broken) status |= kStatusBrokenSensor;
    if ((setup.typeWord & kTypeIndexMask) >= kTypeCount) status |= kStatusUnknownType;
    if (setup.hiScalar != setup.loScalar) {
        const std::int16_t value = reading(input, setup);
        if (value > setup.hiScalar) status |= kStatusAboveHiScalar;
        if (value < setup.loScalar) status |= kStatusBelowLoScalar;
    }
    return status;
}

void AnalogInputs::setBroken(int input, bool broken, const ChannelSetup& setup) {
    Channel& channel = channels_[static_cast<std::size_t>(input)];
    if (broken && !channel.broken) channel.frozen = reading(input, setup);
    channel.broken = broken;
}

void AnalogInputs::pin(int input, std::int16_t value) { channels_[static_cast<std::size_t>(input)].pinned = value; }

void AnalogInputs::drive(int input, std::optional<double> value) {
    channels_[static_cast<std::size_t>(input)].driven = value;
}

}  // namespace zat::sim
