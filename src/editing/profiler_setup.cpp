#include "editing/profiler_setup.h"

#include "editing/entry_text.h"

namespace zat {

namespace {

using Result = StoreResult<ProfilerField>;
using F = ProfilerField;
constexpr RegisterLetters AB = RegisterLetters::AB;
constexpr RegisterLetters CD = RegisterLetters::CD;

const std::array<ProfilerRegisterField, kProfilerRegisterCount> kFields{{
    {F::Measured, &TProfiler::mvRegister, AB, "Measured"},
    {F::Output, &TProfiler::opRegister, AB, "Output to"},
    {F::Start, &TProfiler::startRegister, CD, "Start"},
    {F::Stop, &TProfiler::stopRegister, CD, "Stop"},
    {F::Hold, &TProfiler::holdRegister, CD, "Hold"},
    {F::ReadySp, &TProfiler::localRegister, AB, "Ready SP"},
    {F::Run, &TProfiler::runRegister, CD, "Run"},
    {F::UpRamp, &TProfiler::upRegister, CD, "Up Ramp"},
    {F::DownRamp, &TProfiler::downRegister, CD, "Down Ramp"},
    {F::Dwell, &TProfiler::dwellRegister, CD, "Dwell"},
    {F::Profile, &TProfiler::profileRegister, AB, "Profile"},
}};

}  // namespace

std::string profilerTabTitle(int profiler) { return "Profiler " + std::to_string(profiler + 1); }

bool isProfilerEnabled(const TProfiler& profiler) { return (profiler.flags & kProfilerEnabled) != 0; }

const ProfilerRegisterField& profilerRegisterField(ProfilerField field) {
    return kFields[static_cast<std::size_t>(field)];
}

ProfilerPage loadProfiler(const ConfigDatabase& db, int profiler) {
    const TProfiler& record = db.profilers[static_cast<std::size_t>(profiler)];
    ProfilerPage page;
    page.enabled = isProfilerEnabled(record);
    page.comment = commentText(record.comment);
    for (const ProfilerRegisterField& f : kFields) page.at(f.field) = formatRegisterField(record.*f.member);
    return page;
}

Result storeProfiler(ConfigDatabase& db, int profiler, const ProfilerPage& page) {
    std::array<uint16_t, kProfilerRegisterCount> codes{};
    for (const ProfilerRegisterField& f : kFields) {
        const FieldCheck<uint16_t> code = parseRegisterField(page.at(f.field), f.letters);
        if (!code) return Result::refuse(0, f.field, code.message());
        if (f.field == F::Output && *code == 0 && page.enabled)
            return Result::refuse(0, f.field, FieldMessage{"Must specify an output destination", "Error"});
        codes[static_cast<std::size_t>(f.field)] = *code;
    }

    TProfiler& record = db.profilers[static_cast<std::size_t>(profiler)];
    record.comment = commentFromText(page.comment);
    record.flags = page.enabled ? kProfilerEnabled : 0;
    for (const ProfilerRegisterField& f : kFields) record.*f.member = codes[static_cast<std::size_t>(f.field)];
    db.markModified();
    return Result::accept();
}

}  // namespace zat
