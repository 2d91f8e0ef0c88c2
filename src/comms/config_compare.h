// Field-by-field comparison of two configurations: which fields differ, named
// as the database file names them, and which unit words carry them, so that
// exactly those can be transferred.
#pragma once

#include "comms/field_ref.h"
#include "comms/transfer_groups.h"
#include "model/config_database.h"

#include <optional>
#include <string>
#include <vector>

namespace zat {

enum class CompareScope {
    Transferred,  // the fields a transfer of the groups moves (the unit's side of things)
    Saved,        // every field the database file holds for the groups' records, comments too
};

struct FieldDifference {
    TransferGroups group = 0;      // none for the digital points' comments
    std::optional<FieldRef> wire;  // none for a field no transfer moves
    std::string section;           // "Analog Input 3"
    std::string key;               // "Hi Scalar"
    std::string first;             // the value in the first configuration, as the file writes it
    std::string second;            // and in the second
};

// The fields of `first` and `second` within `scope` and `groups` whose values
// differ, in the order of the database file. With CompareScope::Saved and
// every group chosen, the digital points' comments are compared too.
std::vector<FieldDifference> differingFields(const ConfigDatabase& first, const ConfigDatabase& second,
                                             TransferGroups groups, CompareScope scope);

// The unit words of those differences (the ones a transfer moves).
FieldSelection wireFieldsOf(const std::vector<FieldDifference>& differences);

// A group's name for people: "Analog inputs", ...; "Digital comments" for none.
const char* groupTitle(TransferGroups group);

}  // namespace zat
