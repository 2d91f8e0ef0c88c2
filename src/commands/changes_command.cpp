#include "commands/changes_command.h"

#include "commands/transfer_commands.h"
#include "comms/config_compare.h"

namespace zat {

ChangesExport exportChangesCommand(const ConfigDatabase& db, UnitImage& image, UnitProtocol& protocol,
                                   const UserIo& io) {
    const UnitPlace place = UnitPlace::of(db.comms);
    const ConfigDatabase* held = image.at(place);
    if (held == nullptr) return {};
    const FieldSelection fields =
        wireFieldsOf(differingFields(*held, db, kAllTransferGroups, CompareScope::Transferred));
    if (fields.empty()) return {};

    // Written over a unit changed behind the program's back, the fields would
    // mix with values nobody has seen: look first.
    ConfigDatabase unit = *held;
    if (readFieldsForCompareCommand(unit, fields, protocol, io) == TransferOutcome::GaveUp) {
        image.drop();
        return {.outcome = ChangesOutcome::GaveUp, .fields = fields.size()};
    }
    if (!differingFields(*held, unit, kAllTransferGroups, CompareScope::Transferred).empty()) {
        image.drop();
        io.prompts.show(kUnitChangedText, "Export Changes", MessageIcon::Exclamation, MessageButtons::Ok);
        return {.outcome = ChangesOutcome::UnitChanged, .fields = fields.size()};
    }
    if (exportFieldsCommand(db, fields, protocol, io) == TransferOutcome::GaveUp) {
        image.drop();
        return {.outcome = ChangesOutcome::GaveUp, .fields = fields.size()};
    }
    image.transferred(place, kAllTransferGroups, db);
    return {.outcome = ChangesOutcome::Done, .fields = fields.size()};
}

}  // namespace zat
