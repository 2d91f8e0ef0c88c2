#include "support/window_rig.h"

#include "model/database_file.h"

namespace zat::test {

void WindowRig::attachUnit(sim::FaultPlan faults) {
    unit = std::make_unique<sim::PtyUnit>(sim::UnitConfig{}, sim::LineTiming{}, std::move(faults));
    unit->start();
}

std::string WindowRig::writeQuickDatabase(const std::string& name, int retries) {
    ConfigDatabase quick;
    quick.comms.port = 1;
    quick.comms.address = 1;
    quick.comms.baudRate = 9600;
    quick.comms.timeOut = 100;
    quick.comms.retries = retries;
    const std::string path = dir.file(name);
    RecordingUserIo unseen;
    (void)saveDatabase(quick, path, unseen.io());
    return path;
}

void WindowRig::start(const std::string& database) {
    if (!database.empty()) db.setCurrentFile(database);
    if (!unit) attachUnit();
    window = std::make_unique<TZATWindow>(db, context());
    if (unit) window->link().setOptions(LinkOptions{unit->devicePath(), RtsControl::Manual});
    window->startUp();
}

std::vector<std::string> WindowRig::requests() {
    std::vector<std::string> sent;
    if (!unit) return sent;
    for (const sim::Exchange& exchange : unit->takeExchanges()) sent.push_back(exchange.request);
    return sent;
}

std::vector<std::string> WindowRig::messages() const {
    std::vector<std::string> texts;
    for (const ShownMessage& message : prompts.shown) texts.push_back(message.text);
    return texts;
}

}  // namespace zat::test
