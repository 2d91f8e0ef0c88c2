// The rules of the Profiler Configuration editor: one profiler per tab, its
// enabled box, comment and eleven register fields: I/O (Measured, Output
// to, Ready SP), run control (Profile, Start, Stop, Hold) and event outputs
// (Run, Dwell, Down Ramp, Up Ramp).
#pragma once

#include "editing/store_result.h"
#include "model/config_database.h"
#include "model/register_ref.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace zat {

constexpr uint16_t kProfilerEnabled = 0x0080;
constexpr std::size_t kProfilerRegisterCount = 11;

// "Profiler 1".."Profiler 6" for profilers 0..5.
std::string profilerTabTitle(int profiler);
// The tab's picture shows this.
bool isProfilerEnabled(const TProfiler& profiler);

// The register fields in the order a store checks them; a field's value is
// its index in a page's `registers`.
enum class ProfilerField : std::size_t {
    Measured,
    Output,
    Start,
    Stop,
    Hold,
    ReadySp,
    Run,
    UpRamp,
    DownRamp,
    Dwell,
    Profile
};

struct ProfilerRegisterField {
    ProfilerField field;
    uint16_t TProfiler::*member;
    RegisterLetters letters;  // AB or CD
    const char* label;        // as the page shows it
};

const ProfilerRegisterField& profilerRegisterField(ProfilerField field);

// A profiler as shown, and as the page gives it back to be stored.
struct ProfilerPage {
    bool enabled = false;
    std::string comment{};  // UTF-8
    // By ProfilerField: "A5", "D55", or nothing.
    std::array<std::string, kProfilerRegisterCount> registers{};

    std::string& at(ProfilerField field) { return registers[static_cast<std::size_t>(field)]; }
    const std::string& at(ProfilerField field) const { return registers[static_cast<std::size_t>(field)]; }

    friend bool operator==(const ProfilerPage&, const ProfilerPage&) = default;
};

ProfilerPage loadProfiler(const ConfigDatabase& db, int profiler);

// Parses the register fields in their order; the first bad one is refused
// under "I/O Reference Error" after a beep. An empty Output to is refused
// under "Error" right after its own parse when the profiler is enabled. A
// refused store writes nothing. A store that passes writes the comment,
// flags 0x80 or 0 (no other bit kept) and all eleven codes, and marks the
// database modified, changed or not.
StoreResult<ProfilerField> storeProfiler(ConfigDatabase& db, int profiler, const ProfilerPage& page);

}  // namespace zat
