// Write exchanges against the simulated unit pacing a 9600-baud line.
//
// ideal: the line time the simulator itself imposes on every exchange (the
// request's characters, our one-character hold, its turnaround, the reply's
// characters). wall/ideal shows what the link adds on top of the line;
// cpu/wall shows how much of a core the waiting costs.
#include "comms/frames.h"
#include "comms/line_timing.h"
#include "paced_unit_rig.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kBaud = 9600;
constexpr int kTurnaroundMs = 2;
constexpr int kExchanges = 1000;

void BM_WriteExchangesAt9600(benchmark::State& state) {
    zat::bench::PacedUnitRig rig(kBaud, kTurnaroundMs);
    zat::UnitProtocol& protocol = rig.protocol;
    const zat::CommsSettings& settings = rig.settings;
    if (zat::failed(protocol.selectPage(0))) state.SkipWithError("the unit did not answer");

    double ideal = 0, wall = 0, cpu = 0;
    int failures = 0;
    const double characterTime = 10.0 / kBaud;
    for (auto _ : state) {
        const auto began = zat::LineClock::now();
        const double cpuBegan = zat::bench::threadCpuSeconds();
        for (int i = 0; i < kExchanges; ++i) {
            const int channel = i % 40;
            const auto value = static_cast<std::uint16_t>(i);
            // Request and reply are the same length for a hexadecimal write.
            const std::size_t length = zat::writeHexIndexedFrame(settings.address, 'a', channel, value).size();
            ideal += static_cast<double>(length + 1) * characterTime + kTurnaroundMs / 1000.0 +
                     static_cast<double>(length) * characterTime;
            failures += zat::failed(protocol.writeHexIndexed('a', channel, value)) ? 1 : 0;
        }
        cpu += zat::bench::threadCpuSeconds() - cpuBegan;
        wall += std::chrono::duration<double>(zat::LineClock::now() - began).count();
    }
    state.counters["wall_per_ideal"] = wall / ideal;
    state.counters["cpu_per_wall_pct"] = 100.0 * cpu / wall;
    state.counters["ms_per_exchange"] = 1000.0 * wall / (static_cast<double>(state.iterations()) * kExchanges);
    state.counters["failures"] = failures;
}
BENCHMARK(BM_WriteExchangesAt9600)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
