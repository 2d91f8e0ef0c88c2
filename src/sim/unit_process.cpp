#include "sim/register_code.h"
#include "sim/unit_state_impl.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace zat::sim {

namespace {

// Simulated time moves in fixed steps, so a run depends only on the total
// time given to advance(), not on how it was split up.
constexpr double kTickMilliseconds = 100.0;
constexpr std::uint16_t kEnabled = 0x80;
constexpr std::uint16_t kTimeProportioned = 0x40;
constexpr std::uint16_t kDigitalNumber = 0x3F;  // digital output number + 1; 0 = none
constexpr std::uint16_t kLetterD = 0xC0;
constexpr double kShortestCycle = 1.0;  // seconds; a cycle time below it (unset) counts as 10
constexpr double kDefaultCycle = 10.0;
constexpr int kDigitalOutputs = 56;

}  // namespace

void UnitState::Impl::advance(std::uint32_t milliseconds) {
    pendingMilliseconds += milliseconds * std::max(config.timeScale, 0.0);
    while (pendingMilliseconds >= kTickMilliseconds) {
        tick(kTickMilliseconds / 1000.0);
        pendingMilliseconds -= kTickMilliseconds;
    }
}

void UnitState::Impl::tick(double seconds) {
    inputs.wander(seconds, random);
    coldJunctions.wander(seconds, random);
    digitalInputs.advance(seconds);
    // Profilers first: one may feed a controller's setpoint register.
    const ProfileTable table = profiles();
    for (int number = 0; number < kProfiles; ++number) {
        Profiler& profiler = profilers[static_cast<std::size_t>(number)];
        profiler.advance(seconds, table);
        if (profiler.running()) writeRegister(stored(1, 'j', number), profiler.level());
        signalProfilerEvents(number);
    }
    for (int number = 0; number < kControllers; ++number) runController(number, seconds);
}

ProfileTable UnitState::Impl::profiles() const {
    const ItemInfo& rate = *findItem(kAnyPage, 'O');
    const ItemInfo& level = *findItem(kAnyPage, 'P');
    const ItemInfo& dwell = *findItem(kAnyPage, 'Q');
    const ItemInfo& link = *findItem(kAnyPage, 'U');
    const auto value = [this](const ItemInfo& item, int bank, int index) {
        return static_cast<double>(static_cast<std::int16_t>(stored(item, bank, index)));
    };
    ProfileTable table;
    for (int p = 0; p < kProfiles; ++p) {
        Profile& profile = table[static_cast<std::size_t>(p)];
        for (int s = 0; s < kSegments; ++s) {
            profile.segments[static_cast<std::size_t>(s)] = {value(rate, p, s), value(level, p, s), value(dwell, p, s)};
        }
        profile.link = static_cast<int>(value(link, p, 0));
    }
    return table;
}

bool UnitState::Impl::command(char letter) {
    Profiler& profiler = profilers[static_cast<std::size_t>(profile)];
    switch (letter) {
        case 'I':
            ++initialiseCount;
            return true;
        case 'S': {
            // The ramp starts from where the process is: the profiler's
            // measured register, else its output register, else 0.
            const std::optional<double> from = readRegister(stored(1, 'i', profile));
            const std::optional<double> output = readRegister(stored(1, 'j', profile));
            const double level = from ? *from : output.value_or(0.0);
            profiler.start(static_cast<std::int16_t>(stored(kAnyPage, 'S', profile)), level, profiles());
            return true;
        }
        case 'R':
            profiler.reset();
            return true;
        case 'H':
            profiler.hold();
            return true;
        case 'F':
            profiler.release();
            return true;
        default:
            return false;
    }
}

std::optional<double> UnitState::Impl::readRegister(std::uint16_t code) const {
    const std::optional<RegisterCode> reg = decodeRegister(code);
    if (!reg) return std::nullopt;
    const int n = reg->number;
    switch (reg->letter) {
        case 'A':
            if (n < AnalogInputs::kCount) return inputs.measured(n, inputSetup(n));
            break;
        case 'B':
            if (n < kAnalogOutputs) return reportedOutput(n);
            break;
        case 'C':
            if (n < DigitalInputs::kGroups * 8) return digitalInputs.input(n) ? 1.0 : 0.0;
            break;
        case 'D':
            if (n < kDigitalOutputs) return (stored(kAnyPage, 'H', n / 8) >> (n % 8)) & 1;
            break;
        default:
            break;
    }
    return std::nullopt;
}

void UnitState::Impl::writeRegister(std::uint16_t code, double value) {
    const std::optional<RegisterCode> reg = decodeRegister(code);
    if (!reg || reg->letter != 'B' || reg->number >= kAnalogOutputs) return;
    const long rounded = std::clamp(std::lround(value), -32768L, 32767L);
    cell(*findItem(kAnyPage, 'B'), 0, reg->number) = static_cast<std::uint16_t>(rounded);
}

void UnitState::Impl::runController(int number, double seconds) {
    ControllerRun& run = controllers[static_cast<std::size_t>(number)];
    const std::uint16_t mvCode = stored(1, 'b', number);
    const std::uint16_t spCode = stored(1, 'c', number);
    const std::uint16_t opCode = stored(1, 'd', number);
    const std::optional<RegisterCode> mv = decodeRegister(mvCode);
    const std::optional<RegisterCode> op = decodeRegister(opCode);
    const std::optional<double> measured = readRegister(mvCode);
    const std::optional<double> setpoint = readRegister(spCode);
    const bool usable = (stored(1, 'a', number) & kEnabled) != 0 && measured && setpoint && op && op->letter == 'B' &&
                        op->number < kAnalogOutputs;
    const std::optional<int> processInput = usable && mv->letter == 'A' ? std::optional<int>(mv->number) : std::nullopt;

    if (run.drivenInput && run.drivenInput != processInput) {
        inputs.drive(*run.drivenInput, std::nullopt);
        run.drivenInput.reset();
        run.process.reset();
    }
    if (!usable) {
        run = ControllerRun{};
        return;
    }
    if (!run.active) {
        run = ControllerRun{};
        run.active = true;
    }

    const auto term = [this, number](char letter) {
        return static_cast<double>(static_cast<std::int16_t>(stored(kAnyPage, letter, number)));
    };
    const ScaleSpan span = outputSpan(op->number);
    const double low = std::min(span.zero, span.span);
    const double high = std::max(span.zero, span.span);
    const double output = run.loop.step(*setpoint, *measured, seconds, {term('J'), term('K'), term('L')}, low, high);
    writeRegister(opCode, output);
    driveTimeProportioned(number, high > low ? (output - low) / (high - low) : 0.0, seconds);

    // An analog input as the measurement is overridden by the process the
    // output heats: from where the channel read, it falls back toward its
    // resting value (a kiln zone toward the room) and rises with the output.
    if (processInput) {
        if (!run.process) run.process.emplace(*measured);
        run.process->settle(AnalogInputs::resting(inputSetup(*processInput)), output - low, seconds);
        inputs.drive(*processInput, run.process->value());
        run.drivenInput = processInput;
    }
}

// A time-proportioned output: the digital output named in the flags is on
// for the output's share of every cycle, from the cycle's start.
void UnitState::Impl::driveTimeProportioned(int number, double share, double seconds) {
    ControllerRun& run = controllers[static_cast<std::size_t>(number)];
    const std::uint16_t flags = stored(1, 'a', number);
    const std::optional<RegisterCode> digital =
        decodeRegister(static_cast<std::uint16_t>(kLetterD | (flags & kDigitalNumber)));
    if ((flags & kTimeProportioned) == 0 || !digital || digital->number >= kDigitalOutputs) return;

    double cycle = static_cast<double>(stored(1, 'e', number));
    if (cycle < kShortestCycle) cycle = kDefaultCycle;
    run.cycleSeconds = std::fmod(run.cycleSeconds + seconds, cycle);
    const bool on = run.cycleSeconds < share * cycle;
    setDigitalOutput(digital->number, on);
}

// The event outputs of a profiler (running, ramping up, ramping down,
// dwelling), where they name digital outputs.
void UnitState::Impl::signalProfilerEvents(int number) {
    const Profiler& profiler = profilers[static_cast<std::size_t>(number)];
    const std::int16_t status = profiler.statusWord();
    const bool running = (status & kProfilerRunning) != 0;
    const bool ramping = (status & kProfilerRamping) != 0;
    const bool up = (status & kProfilerRampUp) != 0;
    const std::array<std::pair<char, bool>, 4> events{
        {{'o', running}, {'p', ramping && up}, {'q', ramping && !up}, {'r', running && !ramping}}};
    for (const auto& [letter, on] : events) {
        const std::optional<RegisterCode> reg = decodeRegister(stored(1, letter, number));
        if (reg && reg->letter == 'D' && reg->number < kDigitalOutputs) setDigitalOutput(reg->number, on);
    }
}

void UnitState::Impl::setDigitalOutput(int output, bool on) {
    std::uint16_t& group = cell(*findItem(kAnyPage, 'H'), 0, output / 8);
    const auto bit = static_cast<std::uint16_t>(1U << (output % 8));
    group = on ? static_cast<std::uint16_t>(group | bit) : static_cast<std::uint16_t>(group & ~bit);
}

}  // namespace zat::sim
