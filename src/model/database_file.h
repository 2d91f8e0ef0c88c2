// The ".zat" database file: one section per record of the configuration, in
// the private-profile format, read and written whole.
#pragma once

#include "model/config_database.h"
#include "userio/outcome.h"
#include "userio/user_io.h"

#include <string>
#include <vector>

namespace zat {

constexpr int kDatabaseFileSteps = 290;  // progress steps of a load or a save

// Writes the whole configuration to `path`, updating an existing file in
// place (keys and sections this program does not know survive). The file is
// replaced atomically. When it cannot be written the user is told why, the
// old file is left as it was, `modified` stays set and the result is Failed.
[[nodiscard]] Outcome saveDatabase(ConfigDatabase& db, const std::string& path, const UserIo& io);

struct DatabaseLoad {
    bool fileRead = false;  // false: missing or unreadable, every key took its default
    bool missing = false;   // not read because there is no such file
    std::string reason;     // the system's reason when the file could not be read
};

// Reads the whole configuration from `path`; every field takes the file's
// value or its loader default. Does not clear the model first. Reports
// nothing to the user: a file that cannot be read loads as if every key were
// missing, and the result says so for callers that want to tell.
DatabaseLoad loadDatabase(ConfigDatabase& db, const std::string& path, const UserIo& io);

class ProfileDocument;

// The same without the file, the status text and the progress window; the
// progress only receives its steps.
void readDatabaseFrom(const ProfileDocument& doc, ConfigDatabase& db, Progress& progress);
void writeDatabaseTo(ProfileDocument& doc, const ConfigDatabase& db, Progress& progress);

// One field of a record as the database file holds it: its section and key
// (as the file writes them) and where the field lives in `ConfigDatabase`.
struct DatabaseField {
    enum class Kind { Text, Unsigned, Signed };
    std::string section;
    std::string key;
    Kind kind;
    const void* field;  // Comment, uint16_t or int16_t, by kind
    // False for the fields the unit holds but the file does not: the bias
    // and flags of the analog outputs without hardware.
    bool saved = true;
};

// Every field of the records (the [General] settings are not records), in
// file order, pointing into `db`; the same list, field for field, for any
// database, so two lists can be compared by position.
std::vector<DatabaseField> databaseFields(const ConfigDatabase& db);
// The field's value as the database file writes it (a comment in UTF-8).
std::string fieldText(const DatabaseField& field);

// "Time Out" conversions: milliseconds to the file's seconds text ("%g") and
// back (the decimal text times 1000, truncated; held within the 32-bit range).
std::string formatTimeOutSeconds(uint32_t milliseconds);
uint32_t parseTimeOutSeconds(std::string_view text);

}  // namespace zat
