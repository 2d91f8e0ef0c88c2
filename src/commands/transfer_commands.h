// The unit commands' common course: a status text while they run, the
// transfer, and the "Transfer Failure" question (Abort, Retry, Ignore) for
// as long as it fails. The GUI's menu commands and zatctl both run these.
#pragma once

#include "comms/field_ref.h"
#include "comms/protocol.h"
#include "comms/transfer_groups.h"
#include "model/config_database.h"
#include "userio/user_io.h"

#include <string>
#include <vector>

namespace zat {

enum class TransferOutcome {
    Done,                // the transfer succeeded (perhaps after Retry)
    DoneIgnoringErrors,  // restore only: written again with errors ignored
    GaveUp,              // Abort, or Ignore where Ignore only ends the question
};

// Ignore ends an export with the note that the unit holds part of the
// configuration.
TransferOutcome exportCommand(const ConfigDatabase& db, TransferGroups groups, UnitProtocol& protocol,
                              const UserIo& io);
// Done marks the database modified; given up, the database is as it was
// before the import.
TransferOutcome importCommand(ConfigDatabase& db, TransferGroups groups, UnitProtocol& protocol, const UserIo& io);
// Compare with the unit: reads every field an import of the groups reads
// (the same requests, progress and failure question) into `unit`, which
// should start as a copy of the database so that what is not read matches.
// Writes nothing to the unit.
TransferOutcome readForCompareCommand(ConfigDatabase& unit, TransferGroups groups, UnitProtocol& protocol,
                                      const UserIo& io);
// The same for exactly the chosen fields (Export Changes' check).
TransferOutcome readFieldsForCompareCommand(ConfigDatabase& unit, const FieldSelection& fields, UnitProtocol& protocol,
                                            const UserIo& io);
// Export and Import of exactly the chosen fields, with the same course as
// the whole ones (an import Done marks the database modified).
TransferOutcome exportFieldsCommand(const ConfigDatabase& db, const FieldSelection& fields, UnitProtocol& protocol,
                                    const UserIo& io);
TransferOutcome importFieldsCommand(ConfigDatabase& db, const FieldSelection& fields, UnitProtocol& protocol,
                                    const UserIo& io);
// Export to several units on the line, each in turn: `settings` (the ones
// the protocol reads) take each address for its export and get their own
// back after. A unit that fails does not stop the others.
struct AddressOutcome {
    int address;
    TransferOutcome outcome;
};
std::vector<AddressOutcome> exportToEach(const ConfigDatabase& db, TransferGroups groups,
                                         const std::vector<int>& addresses, CommsSettings& settings,
                                         UnitProtocol& protocol, const UserIo& io);
// "Address 1: exported" lines in one message box.
void showExportSummary(Prompts& prompts, const std::vector<AddressOutcome>& outcomes);

// Reads the calibration from the unit; the caller writes the file when Done.
TransferOutcome readCalibrationCommand(ConfigDatabase& db, UnitProtocol& protocol, const UserIo& io);
// Writes the calibration read from a file to the unit; Ignore writes it again
// ignoring errors.
TransferOutcome writeCalibrationCommand(const ConfigDatabase& db, UnitProtocol& protocol, const UserIo& io);
// Saves the unit's working registers to the file. A read that fails on the
// line gets the question; Retry reads them all again. Done only when the file
// was written; given up, no file was written.
TransferOutcome saveRegistersCommand(UnitProtocol& protocol, const std::string& path, const UserIo& io);

}  // namespace zat
