#include "comms/field_ref.h"

namespace zat {

bool FieldSelection::anyOf(TransferGroups group, int record) const {
    const auto first = fields_.lower_bound(FieldRef{.group = group, .record = record, .letter = 0, .index = -1});
    return first != fields_.end() && first->group == group && first->record == record;
}

TransferGroups FieldSelection::groups() const {
    TransferGroups groups = 0;
    for (const FieldRef& field : fields_) groups |= field.group;
    return groups;
}

}  // namespace zat
