// Load + save of a complete database file (197 sections), the work behind
// Open and Save. Measured three ways: through the real file system (with the
// atomic replace and its fsync), through a file on a RAM-backed file system
// when there is one, and in memory only (parse, read, update, serialize).
#include "model/database_file.h"
#include "model/file_io.h"
#include "model/profile_document.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

using namespace zat;

// A plant-sized configuration: every record filled in.
ConfigDatabase plantDatabase() {
    ConfigDatabase db;
    db.clear();
    for (int k = 0; k < kDigitalInputCount; ++k) db.digitalInputComments[k].assign("Limit switch " + std::to_string(k));
    for (int k = 0; k < kDigitalOutputCount; ++k)
        db.digitalOutputComments[k].assign("Burner relay " + std::to_string(k));
    for (int k = 0; k < kAnalogInputCount; ++k)
        db.analogInputs[k] = {Comment("Zone " + std::to_string(k) + " thermocouple"), static_cast<uint16_t>(0x0083),
                              1200, -50};
    for (int k = 0; k < kAnalogOutputCount; ++k)
        db.analogOutputs[k] = {Comment("Valve " + std::to_string(k)), -100, 1300, 5, 0x13, 0, 0};
    for (auto& h : db.hotColdBlocks) h = {Comment("Kiln zones"), 0x80, 0x84, 0x85, 0x86, 0x87, {0xFF, 0xFF, 0, 0, 0}};
    for (int k = 0; k < kIfBlockCount; ++k)
        db.ifBlocks[k] = {Comment("Interlock " + std::to_string(k)), 0x00C1, 0x01, 1250, 0xC1, 1, 0, 0xC1, 0, 0};
    for (auto& c : db.controllers) c = {Comment("Zone PID"), 0x80, 0x01, 0x42, 0x41, 120, 240, 30, 20};
    for (auto& p : db.profilers)
        p = {Comment("Firing curve"), 0x80, 1, 0x41, 2, 3, 0x81, 0x82, 0x83, 0xC1, 0xC2, 0xC3, 0xC4};
    for (auto& p : db.profiles) {
        p.comment.assign("Bisque firing");
        p.segRate = {100, 150, 0, 80, 60, 200, 0, -1};
        p.segLevel = {200, 600, 600, 950, 1060, 400, 400, 0};
        p.segDwell = {5, 10, 0, 20, 15, 0, 0, 0};
        p.link = -1;
    }
    return db;
}

struct Silent {
    SilentProgress progress;
    SilentStatusText status;
    SilentBeep beep;
    struct : Prompts {
        Answer show(std::string_view, std::string_view, MessageIcon, MessageButtons) override { return Answer::Ok; }
    } prompts;
    NoFileDialogs files;
    NoWaitCursor cursor;
    UserIo io{prompts, beep, status, progress, files, cursor};
};

void loadAndSaveIn(benchmark::State& state, const std::string& folder) {
    Silent silent;
    ConfigDatabase db = plantDatabase();
    const std::string path = folder + "/bench-" + std::to_string(getpid()) + ".zat";
    (void)saveDatabase(db, path, silent.io);
    for (auto _ : state) {
        loadDatabase(db, path, silent.io);
        (void)saveDatabase(db, path, silent.io);
    }
    std::filesystem::remove(path);
}

void BM_LoadAndSave_TempDir(benchmark::State& state) {
    loadAndSaveIn(state, std::filesystem::temp_directory_path().string());
}
BENCHMARK(BM_LoadAndSave_TempDir)->Unit(benchmark::kMicrosecond);

void BM_LoadAndSave_RamDisk(benchmark::State& state) {
    if (!std::filesystem::is_directory("/dev/shm")) {
        state.SkipWithError("no /dev/shm");
        return;
    }
    loadAndSaveIn(state, "/dev/shm");
}
BENCHMARK(BM_LoadAndSave_RamDisk)->Unit(benchmark::kMicrosecond);

void BM_LoadAndSave_InMemory(benchmark::State& state) {
    SilentProgress progress;
    ConfigDatabase db = plantDatabase();
    ProfileDocument plant;
    writeDatabaseTo(plant, db, progress);
    const std::string bytes = plant.serialize();
    state.counters["file_bytes"] = static_cast<double>(bytes.size());
    for (auto _ : state) {
        ProfileDocument doc = ProfileDocument::parse(bytes);
        readDatabaseFrom(doc, db, progress);
        ProfileDocument out = ProfileDocument::parse(bytes);
        writeDatabaseTo(out, db, progress);
        std::string written = out.serialize();
        benchmark::DoNotOptimize(written);
    }
}
BENCHMARK(BM_LoadAndSave_InMemory)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
