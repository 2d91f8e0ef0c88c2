// A full configuration export and import (1,410 fields each way) against the
// simulated unit pacing a 9600-baud line: on its pseudo-terminal directly,
// and behind a real ser2net (its rfc2217 and its raw tcp accepter on
// loopback), in the same run.
//
// ideal: the line time of every exchange that was made, as the simulator
// imposes it (the request's characters, our one-character hold, its
// turnaround, the reply's characters). wall/ideal shows what the utility
// adds on top of the line; cpu/wall how much of a core the transfer costs.
#include "commands/changes_command.h"
#include "comms/config_transfer.h"
#include "comms/line_timing.h"
#include "paced_unit_rig.h"
#include "support/ser2net_rig.h"
#include "userio/traffic.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kBaud = 9600;
constexpr int kTurnaroundMs = 2;

// Adds up the line time each exchange needs at least.
class IdealLineTime final : public zat::TrafficObserver {
public:
    double seconds = 0;
    int exchanges = 0;
    void exchanged(const zat::ExchangeRecord& record) override {
        // The frame with its carriage return, then our one-character hold;
        // the unit's turnaround; the reply with its carriage return.
        seconds += static_cast<double>(record.request.size() + 2) * kCharacterTime + kTurnaroundMs / 1000.0 +
                   static_cast<double>(record.reply.size() + 1) * kCharacterTime;
        ++exchanges;
    }

private:
    static constexpr double kCharacterTime = 10.0 / kBaud;
};

zat::ConfigDatabase plantConfiguration() {
    zat::ConfigDatabase db;
    db.clear();
    for (int n = 0; n < zat::kIfBlockCount; ++n) {
        db.ifBlocks[n].flags = static_cast<std::uint16_t>(0x0183 + n);
        db.ifBlocks[n].ifOperand1 = static_cast<std::uint16_t>(n % 2 == 0 ? 0x0100 + n : 0);
    }
    for (int c = 0; c < zat::kAnalogInputCount; ++c) db.analogInputs[c].type = static_cast<std::uint16_t>(c % 20);
    for (auto& k : db.controllers) k.propBand = 250;
    for (auto& q : db.profiles) q.segLevel[3] = -120;
    db.recountIfBlocks();
    return db;
}

void transferAndReport(benchmark::State& state, zat::UnitProtocol& protocol, const IdealLineTime& ideal) {
    zat::SilentProgress progress;
    const zat::ConfigDatabase sent = plantConfiguration();
    double wall = 0, cpu = 0;
    int failures = 0, differences = 0;
    for (auto _ : state) {
        zat::ConfigDatabase back;
        back.clear();
        const auto began = zat::LineClock::now();
        const double cpuBegan = zat::bench::threadCpuSeconds();
        failures += zat::failed(zat::exportConfiguration(sent, zat::kAllTransferGroups, protocol, progress)) ? 1 : 0;
        failures += zat::failed(zat::importConfiguration(back, zat::kAllTransferGroups, protocol, progress)) ? 1 : 0;
        cpu += zat::bench::threadCpuSeconds() - cpuBegan;
        wall += std::chrono::duration<double>(zat::LineClock::now() - began).count();
        differences += back.ifBlocks == sent.ifBlocks && back.controllers == sent.controllers &&
                               back.profiles == sent.profiles && back.analogInputs == sent.analogInputs
                           ? 0
                           : 1;
    }
    state.counters["wall_s"] = wall / static_cast<double>(state.iterations());
    state.counters["ideal_s"] = ideal.seconds / static_cast<double>(state.iterations());
    state.counters["wall_per_ideal"] = wall / ideal.seconds;
    state.counters["cpu_per_wall_pct"] = 100.0 * cpu / wall;
    state.counters["exchanges"] = ideal.exchanges / static_cast<double>(state.iterations());
    state.counters["failures"] = failures;
    state.counters["differences"] = differences;
}

void BM_FullExportAndImportAt9600(benchmark::State& state) {
    IdealLineTime ideal;
    zat::bench::PacedUnitRig rig(kBaud, kTurnaroundMs, &ideal);
    transferAndReport(state, rig.protocol, ideal);
}
BENCHMARK(BM_FullExportAndImportAt9600)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

// The tuning loop's step: one controller term changed after a whole export.
// A full export and Export Changes of the change, in the same run: the
// exchanges and wall time of each.
void BM_OneControllerTermChangedAt9600(benchmark::State& state) {
    IdealLineTime ideal;
    zat::bench::PacedUnitRig rig(kBaud, kTurnaroundMs, &ideal);
    zat::SilentProgress progress;
    zat::SilentStatusText status;
    zat::NoFileDialogs files;
    zat::NoWaitCursor cursor;
    const zat::UserIo io{rig.prompts, rig.beep, status, progress, files, cursor};
    double fullWall = 0, changesWall = 0;
    int fullExchanges = 0, changesExchanges = 0, failures = 0;
    for (auto _ : state) {
        zat::ConfigDatabase db = plantConfiguration();
        db.comms = rig.settings;
        zat::UnitImage image;
        auto began = zat::LineClock::now();
        const int before = ideal.exchanges;
        failures += zat::failed(zat::exportConfiguration(db, zat::kAllTransferGroups, rig.protocol, progress)) ? 1 : 0;
        fullWall += std::chrono::duration<double>(zat::LineClock::now() - began).count();
        fullExchanges += ideal.exchanges - before;
        image.transferred(zat::UnitPlace::of(db.comms), zat::kAllTransferGroups, db);

        db.controllers[3].intTime = 180;
        began = zat::LineClock::now();
        const int between = ideal.exchanges;
        const zat::ChangesExport changes = zat::exportChangesCommand(db, image, rig.protocol, io);
        changesWall += std::chrono::duration<double>(zat::LineClock::now() - began).count();
        changesExchanges += ideal.exchanges - between;
        failures += changes.outcome == zat::ChangesOutcome::Done && changes.fields == 1 ? 0 : 1;
    }
    const auto runs = static_cast<double>(state.iterations());
    state.counters["full_exchanges"] = fullExchanges / runs;
    state.counters["full_wall_s"] = fullWall / runs;
    state.counters["changes_exchanges"] = changesExchanges / runs;
    state.counters["changes_wall_s"] = changesWall / runs;
    state.counters["changes_exchanges_pct"] = 100.0 * changesExchanges / fullExchanges;
    state.counters["failures"] = failures;
}
BENCHMARK(BM_OneControllerTermChangedAt9600)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

// The same through ser2net: arg 0 its rfc2217 accepter, 1 its raw one.
void BM_FullExportAndImportThroughSer2netAt9600(benchmark::State& state) {
    IdealLineTime ideal;
    zat::test::Ser2netRig server({}, kBaud, zat::sim::LineTiming{kBaud, kTurnaroundMs});
    zat::bench::NoPrompts prompts;
    zat::SilentBeep beep;
    zat::CommsSettings settings = zat::bench::PacedUnitRig::settingsAt(kBaud);
    zat::UnitLink link;
    zat::UnitProtocol protocol(link, settings, prompts, beep);
    link.setOptions(zat::LinkOptions{state.range(0) == 0 ? server.rfc2217Device() : server.rawDevice()});
    link.setTraffic(&ideal);
    if (const zat::LinkReason reason = link.openPort(settings); !reason.ok()) {
        state.SkipWithError(zat::linkMessage(reason).text.c_str());
        return;
    }
    transferAndReport(state, protocol, ideal);
}
BENCHMARK(BM_FullExportAndImportThroughSer2netAt9600)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
