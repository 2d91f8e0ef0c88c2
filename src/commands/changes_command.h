// Export Changes: the fields in which the configuration differs from what the
// unit was last known to hold, and only those, written to the unit once it
// is seen to still hold the image's values there.
#pragma once

#include "comms/protocol.h"
#include "comms/unit_image.h"
#include "model/config_database.h"
#include "userio/user_io.h"

#include <cstddef>

namespace zat {

enum class ChangesOutcome {
    Nothing,      // no field differs: nothing was sent
    Done,         // the differing fields were written, then "I"
    UnitChanged,  // the unit no longer held the image's values: nothing written
    GaveUp,       // a read or write failed and was given up
};

struct ChangesExport {
    ChangesOutcome outcome = ChangesOutcome::Nothing;
    std::size_t fields = 0;  // how many fields differed
};

inline constexpr const char* kUnitChangedText =
    "The unit no longer holds what was last sent: use Export or Compare with Unit.";

// Reads the fields in which `db` differs from the image of the unit at the
// database's place (the same requests and failure question as Compare with
// Unit) and, when the unit holds the image's values there, writes just those
// fields with the same course as Export. Tells the user when the unit had
// changed. The image follows: brought up to `db` when Done, dropped when the
// unit had changed or a transfer was given up. Without an image for that
// place nothing is sent and the outcome is Nothing.
[[nodiscard]] ChangesExport exportChangesCommand(const ConfigDatabase& db, UnitImage& image, UnitProtocol& protocol,
                                                 const UserIo& io);

}  // namespace zat
