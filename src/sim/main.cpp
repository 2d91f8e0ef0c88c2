// zat-unit-sim: a simulated ZAT V2 on a pseudo-terminal, for trying the
// utility without a unit. Prints the device path, then serves until SIGINT
// or SIGTERM.
#include <csignal>
#include <fstream>
#include <iostream>
#include <variant>

#include "sim/device_link.h"
#include "sim/pty_unit.h"
#include "sim/sim_options.h"

namespace {

volatile std::sig_atomic_t stopSignal = 0;

void onStopSignal(int) { stopSignal = 1; }

void catchStopSignals() {
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

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
    catchStopSignals();

    try {
        PtyUnit unit(options.unit, options.timing, FaultPlan(options.faultRates, options.randomStart));
        unit.withState([&](UnitState& state) {
            for (int input : options.brokenSensors) state.setBrokenSensor(input, true);
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
        unit.run([] { return stopSignal == 0; });
        unit.setLog(nullptr);
    } catch (const std::exception& error) {
        std::cerr << "zat-unit-sim: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
