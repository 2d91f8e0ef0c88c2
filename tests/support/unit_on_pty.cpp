#include "support/unit_on_pty.h"

#include <utility>

namespace zat::test {

CommsSettings UnitOnPty::fastSettings() {
    CommsSettings comms;
    comms.address = 1;
    comms.baudRate = 9600;
    comms.timeOut = 60;
    comms.retries = 2;
    return comms;
}

CommsSettings UnitOnPty::quickSettings(int retries) {
    CommsSettings comms = fastSettings();
    comms.baudRate = 38400;
    comms.retries = retries;
    return comms;
}

sim::FaultPlan faultAt(std::uint64_t requestNumber, sim::Fault fault) {
    sim::FaultPlan plan;
    plan.scheduleAt(requestNumber, fault);
    return plan;
}

UnitOnPty::UnitOnPty(sim::UnitConfig config, sim::LineTiming timing, CommsSettings comms, sim::FaultPlan faults)
    : unit(config, timing, std::move(faults)), settings(comms), protocol(link, settings, user.prompts, user.beep) {
    unit.start();
    link.setOptions(LinkOptions{unit.devicePath(), RtsControl::Manual});
    link.setTraffic(&traffic);
    openedWith = link.openPort(settings);
}

std::vector<std::string> UnitOnPty::requests() {
    std::vector<std::string> seen;
    for (auto& exchange : unit.takeExchanges()) seen.push_back(std::move(exchange.request));
    return seen;
}

}  // namespace zat::test
