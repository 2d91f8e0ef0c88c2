// One configuration field as the unit addresses it, and a set of them: what
// a transfer of chosen fields moves.
#pragma once

#include "comms/transfer_groups.h"

#include <cstddef>
#include <set>
#include <tuple>

namespace zat {

constexpr int kNoWireIndex = -1;  // a word read and written without an index

// The group, the record (channel, block, controller, ... number) and the
// item letter and index the word travels with; unique within the
// configuration. Page and block or profile selections follow from the group
// and the record.
struct FieldRef {
    TransferGroups group = 0;
    int record = 0;
    char letter = 0;
    int index = kNoWireIndex;

    // Ordered by group, record, letter, index. (Written out: Qt's moc cannot
    // read <compare>, and GUI files include this.)
    friend bool operator<(const FieldRef& a, const FieldRef& b) {
        return std::tie(a.group, a.record, a.letter, a.index) < std::tie(b.group, b.record, b.letter, b.index);
    }
    friend bool operator==(const FieldRef& a, const FieldRef& b) {
        return std::tie(a.group, a.record, a.letter, a.index) == std::tie(b.group, b.record, b.letter, b.index);
    }
};

class FieldSelection {
public:
    void add(const FieldRef& field) { fields_.insert(field); }
    bool contains(const FieldRef& field) const { return fields_.contains(field); }
    // Whether any field of this record is chosen.
    bool anyOf(TransferGroups group, int record) const;
    // The groups that hold a chosen field.
    TransferGroups groups() const;
    std::size_t size() const { return fields_.size(); }
    bool empty() const { return fields_.empty(); }

private:
    std::set<FieldRef> fields_;
};

}  // namespace zat
