#include "cli/compare_commands.h"

#include "cli/command_args.h"
#include "cli/each_unit.h"
#include "cli/unit_session.h"
#include "commands/transfer_commands.h"
#include "comms/config_compare.h"
#include "userio/csv_field.h"

#include <cstdio>

namespace zat::cli {

namespace {

// The names of the two sides, as the text lines and the CSV header call them.
struct Sides {
    const char* first;
    const char* second;
};

constexpr Sides kFileAndUnit{"file", "unit"};
constexpr Sides kAAndB{"a", "b"};

void printCsvHeader(Context& context, Sides sides, bool withAddress) {
    std::fprintf(context.out, "%ssection,key,%s,%s\n", withAddress ? "address," : "", sides.first, sides.second);
}

// With several units each unit's lines are marked with its address (the CSV
// lines begin with it, under a header written once).
void printDifferences(Context& context, const std::vector<FieldDifference>& differences, Sides sides, bool csv,
                      std::optional<int> address = std::nullopt) {
    if (csv) {
        if (!address) printCsvHeader(context, sides, false);
        const std::string prefix = address ? std::to_string(*address) + "," : "";
        for (const FieldDifference& d : differences)
            std::fprintf(context.out, "%s%s,%s,%s,%s\n", prefix.c_str(), csvField(d.section).c_str(),
                         csvField(d.key).c_str(), csvField(d.first).c_str(), csvField(d.second).c_str());
        return;
    }
    if (address) std::fprintf(context.out, "Address %d:\n", *address);
    for (const FieldDifference& d : differences)
        std::fprintf(context.out, "[%s] %s: %s %s, %s %s\n", d.section.c_str(), d.key.c_str(), sides.first,
                     d.first.c_str(), sides.second, d.second.c_str());
    std::fprintf(context.out, differences.size() == 1 ? "%zu field differs\n" : "%zu fields differ\n",
                 differences.size());
}

}  // namespace

int runVerify(Context& context, const std::vector<std::string>& args) {
    CommandArgs parsed;
    if (const auto status = takeCommandArgs(context, args, kVerifyOptions, kVerifySynopsis, parsed)) return *status;
    ConfigDatabase db;
    if (!loadExisting(context, db, parsed.files[0])) return kExitUsage;
    const bool several = parsed.unit.addresses.size() > 1;
    // Several units share one CSV table, its header written once.
    if (several && parsed.csv) printCsvHeader(context, kFileAndUnit, true);

    return forEachUnit(context, withSettingsOf(parsed.files[0], parsed.unit), parsed.csv, [&](const UnitOptions& one) {
        UnitSession session(context);
        if (const auto status = session.open(one)) return UnitRun{*status, "port not opened"};
        answerTransferFailures(context, parsed.retries, false);
        // What is not read stays as the file has it, so it cannot differ.
        ConfigDatabase unit = db;
        if (readForCompareCommand(unit, parsed.groups, session.protocol, context.io) == TransferOutcome::GaveUp) {
            std::fprintf(context.err, "zatctl: reading the unit given up; nothing compared\n");
            return UnitRun{kExitUnitFailure, "failed"};
        }
        const auto differences = differingFields(db, unit, parsed.groups, CompareScope::Transferred);
        printDifferences(context, differences, kFileAndUnit, parsed.csv,
                         several ? std::optional<int>(session.db.comms.address) : std::nullopt);
        if (differences.empty()) return UnitRun{kExitOk, "same"};
        return UnitRun{kExitDiffer, std::to_string(differences.size()) + " differ"};
    });
}

int runDiff(Context& context, const std::vector<std::string>& args) {
    // Two files, no unit: the unit options mean nothing here.
    std::vector<std::string> withoutUnitOptions = args;
    UnitOptions unused;
    if (takeUnitOptions(withoutUnitOptions, unused) || withoutUnitOptions.size() != args.size()) {
        std::fprintf(context.err, "zatctl: diff talks to no unit and takes no unit options\nusage: zatctl %s\n",
                     kDiffSynopsis);
        return kExitUsage;
    }
    CommandArgs parsed;
    if (const auto status = takeCommandArgs(context, args, kDiffOptions, kDiffSynopsis, parsed, 2)) return *status;
    ConfigDatabase a;
    ConfigDatabase b;
    if (!loadExisting(context, a, parsed.files[0]) || !loadExisting(context, b, parsed.files[1])) return kExitUsage;
    const auto differences = differingFields(a, b, parsed.groups, CompareScope::Saved);
    printDifferences(context, differences, kAAndB, parsed.csv);
    return differences.empty() ? kExitOk : kExitDiffer;
}

}  // namespace zat::cli
