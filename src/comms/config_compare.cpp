#include "comms/config_compare.h"

#include "comms/transfer_map.h"
#include "model/database_file.h"

#include <functional>
#include <map>
#include <unordered_map>

namespace zat {
namespace {

using WordVisitor = std::function<void(const FieldRef&, const WireWord&)>;

template <typename Words>
void visitAll(const Words& words, TransferGroups group, int record, int index, const WordVisitor& visit) {
    for (const WireWord& w : words) visit(FieldRef{group, record, w.letter, index}, w);
}

// Every word a transfer of all groups moves, with its address on the unit.
void visitWireWords(ConfigDatabase& db, const WordVisitor& visit) {
    for (int c = 0; c < kAnalogInputCount; ++c)
        visitAll(analogInputWords(db.analogInputs[c]), kTransferAnalogInputs, c, c, visit);
    for (int o = 0; o < kAnalogOutputCount; ++o)
        visitAll(analogOutputWords(db.analogOutputs[o]), kTransferAnalogOutputs, o, o, visit);
    for (int b = 0; b < kHotColdBlockCount; ++b) {
        HotColdBlock& block = db.hotColdBlocks[b];
        visitAll(hotColdBlockWords(block), kTransferHotColdBlocks, b, kNoWireIndex, visit);
        for (int k = 0; k < kHotColdListWords; ++k)
            visitAll(std::array{hotColdListWord(block, k)}, kTransferHotColdBlocks, b, k, visit);
    }
    for (int n = 0; n < kIfBlockCount; ++n)
        visitAll(ifBlockExportWords(db.ifBlocks[n]), kTransferIfBlocks, n, n, visit);
    for (int k = 0; k < kControllerCount; ++k)
        visitAll(controllerWords(db.controllers[k]), kTransferControllers, k, k, visit);
    for (int p = 0; p < kProfilerCount; ++p) visitAll(profilerWords(db.profilers[p]), kTransferProfilers, p, p, visit);
    for (int q = 0; q < kProfileCount; ++q) {
        TProfile& profile = db.profiles[q];
        for (int s = 0; s < kProfileSegmentCount; ++s)
            visitAll(profileSegmentWords(profile, s), kTransferProfiles, q, s, visit);
        visitAll(std::array{profileLinkWord(profile)}, kTransferProfiles, q, kNoWireIndex, visit);
    }
}

// What each field of databaseFields() is to a transfer, by position.
struct FieldRole {
    TransferGroups group = 0;
    std::optional<FieldRef> wire;
};

std::vector<FieldRole> buildRoles() {
    ConfigDatabase layout;
    const std::vector<DatabaseField> fields = databaseFields(layout);
    std::unordered_map<const void*, std::size_t> position;
    for (std::size_t i = 0; i < fields.size(); ++i) position[fields[i].field] = i;

    std::vector<FieldRole> roles(fields.size());
    std::map<std::string, TransferGroups> sectionGroup;
    visitWireWords(layout, [&](const FieldRef& ref, const WireWord& w) {
        const std::size_t i = position.at(static_cast<const void*>(w.word));
        roles[i] = FieldRole{ref.group, ref};
        sectionGroup[fields[i].section] = ref.group;
    });
    // A record's comment belongs to the record's group.
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (const auto found = sectionGroup.find(fields[i].section); found != sectionGroup.end())
            roles[i].group = found->second;
    return roles;
}

const std::vector<FieldRole>& fieldRoles() {
    static const std::vector<FieldRole> roles = buildRoles();
    return roles;
}

bool inScope(const FieldRole& role, const DatabaseField& field, TransferGroups groups, CompareScope scope) {
    if (scope == CompareScope::Transferred) return role.wire && (role.group & groups) != 0;
    if (!field.saved) return false;
    return role.group == 0 ? (groups & kAllTransferGroups) == kAllTransferGroups : (role.group & groups) != 0;
}

}  // namespace

std::vector<FieldDifference> differingFields(const ConfigDatabase& first, const ConfigDatabase& second,
                                             TransferGroups groups, CompareScope scope) {
    const std::vector<DatabaseField> a = databaseFields(first);
    const std::vector<DatabaseField> b = databaseFields(second);
    const std::vector<FieldRole>& roles = fieldRoles();
    std::vector<FieldDifference> differences;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (!inScope(roles[i], a[i], groups, scope)) continue;
        std::string valueA = fieldText(a[i]);
        std::string valueB = fieldText(b[i]);
        if (valueA == valueB) continue;
        differences.push_back(FieldDifference{.group = roles[i].group,
                                              .wire = roles[i].wire,
                                              .section = a[i].section,
                                              .key = a[i].key,
                                              .first = std::move(valueA),
                                              .second = std::move(valueB)});
    }
    return differences;
}

FieldSelection wireFieldsOf(const std::vector<FieldDifference>& differences) {
    FieldSelection selection;
    for (const FieldDifference& difference : differences)
        if (difference.wire) selection.add(*difference.wire);
    return selection;
}

const char* groupTitle(TransferGroups group) {
    switch (group) {
        case kTransferAnalogInputs:
            return "Analog inputs";
        case kTransferAnalogOutputs:
            return "Analog outputs";
        case kTransferHotColdBlocks:
            return "Hot/cold blocks";
        case kTransferIfBlocks:
            return "IF blocks";
        case kTransferControllers:
            return "Controllers";
        case kTransferProfilers:
            return "Profilers";
        case kTransferProfiles:
            return "Profiles";
        default:
            return "Digital comments";
    }
}

}  // namespace zat
