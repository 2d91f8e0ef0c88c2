// Export and import of the configuration: every transferred field of the
// chosen groups, one exchange each, in the unit's fixed order. Both stop
// moving fields at the first failed exchange and return Outcome::Failed; the
// page selections and, on export, the closing "I" command are still sent.
#pragma once

#include "comms/field_ref.h"
#include "comms/protocol.h"
#include "comms/transfer_groups.h"
#include "model/config_database.h"
#include "userio/outcome.h"
#include "userio/user_io.h"

namespace zat {

// Writes the chosen groups of `db` to the unit.
[[nodiscard]] Outcome exportConfiguration(const ConfigDatabase& db, TransferGroups groups, UnitProtocol& protocol,
                                          Progress& progress);

// Reads the chosen groups from the unit into `db`, each field as soon as it
// has been read (a failed read leaves its field as it was). `modified` is
// not touched. After a failure among the IF blocks `ifBlockCount` is counted
// again over all blocks, since the ones not reached keep their old contents.
[[nodiscard]] Outcome importConfiguration(ConfigDatabase& db, TransferGroups groups, UnitProtocol& protocol,
                                          Progress& progress);

// The same for exactly the chosen fields: the requests, page and block or
// profile selections a whole transfer sends for them, in its order (the
// export's closing "I" too); one progress step per field.
[[nodiscard]] Outcome exportFields(const ConfigDatabase& db, const FieldSelection& fields, UnitProtocol& protocol,
                                   Progress& progress);
[[nodiscard]] Outcome importFields(ConfigDatabase& db, const FieldSelection& fields, UnitProtocol& protocol,
                                   Progress& progress);

}  // namespace zat
