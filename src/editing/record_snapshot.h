// What an editor's records held when it opened. A page stored on a tab
// change stays stored when the editor is then cancelled, so Cancel must mark
// the database modified exactly when the records really differ. The IF block
// list takes one before an Insert, which Cancel takes back.
#pragma once

#include "model/config_database.h"

#include <tuple>
#include <type_traits>
#include <utility>

namespace zat {

template <auto... Members>
class RecordSnapshot {
public:
    explicit RecordSnapshot(const ConfigDatabase& db) : held_(db.*Members...), wasModified_(db.modified) {}

    bool changed(const ConfigDatabase& db) const { return held_ != std::tie(db.*Members...); }

    // For Cancel: marks the database modified when the records changed since
    // the snapshot; otherwise leaves `modified` as it was.
    void markModifiedIfChanged(ConfigDatabase& db) const {
        if (changed(db)) db.markModified();
    }

    // For a change taken back: `modified` as it was at the snapshot, unless
    // the records still differ from it. A step on the way may have marked the
    // database modified for a change that is gone again.
    void restoreModified(ConfigDatabase& db) const { db.modified = wasModified_ || changed(db); }

private:
    std::tuple<std::remove_cvref_t<decltype(std::declval<const ConfigDatabase&>().*Members)>...> held_;
    bool wasModified_;
};

using AnalogInputSnapshot = RecordSnapshot<&ConfigDatabase::analogInputs>;
using AnalogOutputSnapshot = RecordSnapshot<&ConfigDatabase::analogOutputs>;
// Both modes of the digital comment editor take the same snapshot.
using DigitalCommentSnapshot =
    RecordSnapshot<&ConfigDatabase::digitalInputComments, &ConfigDatabase::digitalOutputComments>;
using HotColdSnapshot = RecordSnapshot<&ConfigDatabase::hotColdBlocks>;
using ControllerSnapshot = RecordSnapshot<&ConfigDatabase::controllers>;
using ProfilerSnapshot = RecordSnapshot<&ConfigDatabase::profilers>;
using ProfileSnapshot = RecordSnapshot<&ConfigDatabase::profiles>;
using IfBlockSnapshot = RecordSnapshot<&ConfigDatabase::ifBlocks>;

}  // namespace zat
