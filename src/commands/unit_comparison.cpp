#include "commands/unit_comparison.h"

#include "model/database_file.h"

#include <algorithm>

namespace zat {

TransferOutcome UnitComparison::read() {
    UnitLink::OperationHold hold(protocol_.link());  // the monitors wait, then reload
    // What is not read stays as the database has it, so it cannot differ.
    ConfigDatabase unit = db_;
    const TransferOutcome outcome = readForCompareCommand(unit, kAllTransferGroups, protocol_, io_);
    differences_.clear();
    if (image_ != nullptr) {
        if (outcome == TransferOutcome::Done) {
            image_->transferred(UnitPlace::of(db_.comms), kAllTransferGroups, unit);
        } else {
            image_->drop();
        }
    }
    if (outcome != TransferOutcome::GaveUp)
        differences_ = differingFields(db_, unit, kAllTransferGroups, CompareScope::Transferred);
    return outcome;
}

FieldSelection UnitComparison::selectionOf(const std::vector<std::size_t>& chosen) const {
    std::vector<FieldDifference> picked;
    for (std::size_t row : chosen)
        if (row < differences_.size()) picked.push_back(differences_[row]);
    return wireFieldsOf(picked);
}

void UnitComparison::forget(const std::vector<std::size_t>& chosen) {
    std::vector<FieldDifference> kept;
    for (std::size_t row = 0; row < differences_.size(); ++row)
        if (std::find(chosen.begin(), chosen.end(), row) == chosen.end()) kept.push_back(differences_[row]);
    differences_ = std::move(kept);
}

TransferOutcome UnitComparison::moveThese(const std::vector<std::size_t>& chosen, const FieldMove& move) {
    const FieldSelection fields = selectionOf(chosen);
    if (fields.empty()) return TransferOutcome::GaveUp;
    UnitLink::OperationHold hold(protocol_.link());  // the monitors wait, then reload
    const TransferOutcome outcome = move(fields);
    if (outcome == TransferOutcome::Done) forget(chosen);
    return outcome;
}

TransferOutcome UnitComparison::exportThese(const std::vector<std::size_t>& chosen) {
    if (image_ != nullptr) image_->drop();
    return moveThese(chosen, [this](const FieldSelection& f) { return exportFieldsCommand(db_, f, protocol_, io_); });
}

TransferOutcome UnitComparison::importThese(const std::vector<std::size_t>& chosen) {
    return moveThese(chosen, [this](const FieldSelection& f) { return importFieldsCommand(db_, f, protocol_, io_); });
}

std::optional<std::vector<FieldDifference>> compareWithFile(const ConfigDatabase& db, const std::string& path,
                                                            const UserIo& io) {
    ConfigDatabase other;
    other.clear();
    const DatabaseLoad load = loadDatabase(other, path, io);
    if (!load.fileRead) {
        io.prompts.show("Unable to read file " + path + (load.reason.empty() ? "" : ": " + load.reason), "Error",
                        MessageIcon::Exclamation, MessageButtons::Ok);
        return std::nullopt;
    }
    return differingFields(db, other, kAllTransferGroups, CompareScope::Saved);
}

}  // namespace zat
