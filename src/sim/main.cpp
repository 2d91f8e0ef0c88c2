// zat-unit-sim: a simulated ZAT V2 on a pseudo-terminal, for trying the
// utility without a unit. Prints the device path, then serves until SIGINT
// or SIGTERM. SIGUSR1 toggles the unit's silence.
#include "sim/device_link.h"
#include "sim/plant_setup.h"
#include "sim/pty_unit.h"
#include "sim/sim_options.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <variant>

namespace {

volatile std::sig_atomic_t stopSignal = 0;

// Counts SIGUSR1s; the serving loop toggles silence once per signal it has
// not seen yet. Lock-free, so the handler may touch it.
std::atomic<unsigned> silenceToggles{0};
static_assert(std::atomic<unsigned>::is_always_lock_free);

void onStopSignal(int) { stopSignal = 1; }

void onSilenceSignal(int) { silenceToggles.fetch_add(1, std::memory_order_relaxed); }

void catchSignals() {
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    struct sigaction toggle {};
    toggle.sa_handler = onSilenceSignal;
    sigemptyset(&toggle.sa_mask);
    sigaction(SIGUSR1, &toggle, nullptr);
}

// Applies what the options and signals ask of the unit's silence; called by
// the serving loop at least every 100 ms.
class SilenceControl {
public:
    SilenceControl(zat::sim::PtyUnit& unit, int silentAfterSeconds)
        : unit_(unit), silentAfterSeconds_(silentAfterSeconds), started_(std::chrono::steady_clock::now()) {}

    void update() {
        if (silentAfterSeconds_ >= 0 &&
            std::chrono::steady_clock::now() - started_ >= std::chrono::seconds(silentAfterSeconds_)) {
            silentAfterSeconds_ = -1;
            unit_.setSilent(true);
        }
        const unsigned toggles = silenceToggles.load(std::memory_order_relaxed);
        if (toggles != seenToggles_) {
            if ((toggles - seenToggles_) % 2 != 0) unit_.setSilent(!unit_.silent());
            seenToggles_ = toggles;
        }
    }

private:
    zat::sim::PtyUnit& unit_;
    int silentAfterSeconds_;
    std::chrono::steady_clock::time_point started_;
    unsigned seenToggles_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    using namespace zat::sim;
    const auto parsed = parseSimOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (const auto* message = std::get_if<std::string>(&parsed)) {
        std::cerr << "zat-unit-sim: " << *message << " (try --help)\n";
        return 2;
    }
    const SimOptions& options = std::get<SimOptions>(parsed);
    if (options.help) {
        std::cout << simUsage();
        return 0;
    }
    catchSignals();

    try {
        std::string plant;
        if (!options.plantPath.empty()) {
            std::ifstream plantFile(options.plantPath, std::ios::binary);
            plant.assign(std::istreambuf_iterator<char>(plantFile), std::istreambuf_iterator<char>());
            if (!plantFile) {
                std::cerr << "zat-unit-sim: cannot read " << options.plantPath << '\n';
                return 2;
            }
        }
        PtyUnit unit(options.unit, options.timing, faultPlanOf(options));
        for (int address : options.moreAddresses) {
            UnitConfig another = options.unit;
            another.address = address;
            unit.addUnit(another);
        }
        unit.forEachUnit([&](UnitState& state) {
            for (int input : options.brokenSensors) state.setBrokenSensor(input, true);
            for (int output : options.invalidOutputs) state.setInvalidOutput(output, true);
            if (!plant.empty()) {
                loadPlantSetup(plant, state);
                startEnabledProfilers(state);
            }
        });

        DeviceLink link;
        if (!options.linkPath.empty()) {
            if (const std::string error = link.create(options.linkPath, unit.devicePath()); !error.empty()) {
                std::cerr << "zat-unit-sim: " << error << '\n';
                return 2;
            }
        }

        std::ofstream logFile;
        if (options.logPath == "-") {
            unit.setLog(&std::cout);
        } else if (!options.logPath.empty()) {
            logFile.open(options.logPath, std::ios::app);
            if (!logFile) {
                std::cerr << "zat-unit-sim: cannot write " << options.logPath << '\n';
                return 2;
            }
            unit.setLog(&logFile);
        }

        std::cout << unit.devicePath() << std::endl;
        SilenceControl silence(unit, options.silentAfterSeconds);
        silence.update();
        unit.run([&silence] {
            silence.update();
            return stopSignal == 0;
        });
        unit.setLog(nullptr);
    } catch (const std::exception& error) {
        std::cerr << "zat-unit-sim: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
