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
        db.analogInputs[k] = {.comment = Comment("Zone " + std::to_string(k) + " thermocouple"),
                              .type = 0x0083,
                              .hiScalar = 1200,
                              .loScalar = -50};
    for (int k = 0; k < kAnalogOutputCount; ++k)
        db.analogOutputs[k] = {.comment = Comment("Valve " + std::to_string(k)),
                               .from = -100,
                               .to = 1300,
                               .bias = 5,
                               .flags = 0x13,
                               .calZero = 0,
                               .calSpan = 0};
    for (auto& h : db.hotColdBlocks)
        h = {.comment = Comment("Kiln zones"),
             .flags = 0x80,
             .hottest = 0x84,
             .coldest = 0x85,
             .mean = 0x86,
             .spread = 0x87,
             .list = {0xFF, 0xFF, 0, 0, 0}};
    for (int k = 0; k < kIfBlockCount; ++k)
        db.ifBlocks[k] = {.comment = Comment("Interlock " + std::to_string(k)),
                          .flags = 0x00C1,
                          .ifOperand1 = 0x01,
                          .ifOperand2 = 1250,
                          .thenOperand1 = 0xC1,
                          .thenOperand2 = 1,
                          .thenOperand3 = 0,
                          .elseOperand1 = 0xC1,
                          .elseOperand2 = 0,
                          .elseOperand3 = 0};
    for (auto& c : db.controllers)
        c = {.comment = Comment("Zone PID"),
             .flags = 0x80,
             .mvRegister = 0x01,
             .spRegister = 0x42,
             .opRegister = 0x41,
             .propBand = 120,
             .intTime = 240,
             .derTime = 30,
             .tpCycle = 20};
    for (auto& p : db.profilers)
        p = {.comment = Comment("Firing curve"),
             .flags = 0x80,
             .mvRegister = 1,
             .opRegister = 0x41,
             .localRegister = 2,
             .profileRegister = 3,
             .startRegister = 0x81,
             .stopRegister = 0x82,
             .holdRegister = 0x83,
             .runRegister = 0xC1,
             .upRegister = 0xC2,
             .downRegister = 0xC3,
             .dwellRegister = 0xC4};
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
