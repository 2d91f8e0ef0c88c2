// Compare with Unit and Compare with File without a window: the differences
// to show, and the moves of chosen differences either way.
#pragma once

#include "commands/transfer_commands.h"
#include "comms/config_compare.h"
#include "comms/protocol.h"
#include "comms/unit_image.h"
#include "model/config_database.h"
#include "userio/user_io.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zat {

class UnitComparison {
public:
    // `image`, when given, is the window's image of the unit: a whole read
    // sets it, an export of chosen differences drops it (Compare again to
    // have one).
    UnitComparison(ConfigDatabase& db, UnitProtocol& protocol, UserIo io, UnitImage* image = nullptr)
        : db_(db), protocol_(protocol), io_(io), image_(image) {}

    // Reads the unit as an import of every group would (writing nothing to
    // it) and lists where it differs from the database. Done when read.
    TransferOutcome read();
    const std::vector<FieldDifference>& differences() const { return differences_; }
    const ConfigDatabase& database() const { return db_; }

    // Sends the database's values of the chosen differences (by position) to
    // the unit, or takes the unit's into the database (marking it modified),
    // moving just those fields. The ones moved leave the list.
    TransferOutcome exportThese(const std::vector<std::size_t>& chosen);
    TransferOutcome importThese(const std::vector<std::size_t>& chosen);

private:
    using FieldMove = std::function<TransferOutcome(const FieldSelection&)>;
    TransferOutcome moveThese(const std::vector<std::size_t>& chosen, const FieldMove& move);
    FieldSelection selectionOf(const std::vector<std::size_t>& chosen) const;
    void forget(const std::vector<std::size_t>& chosen);

    ConfigDatabase& db_;
    UnitProtocol& protocol_;
    UserIo io_;
    UnitImage* image_;
    std::vector<FieldDifference> differences_;
};

// Compare with File: the configuration fields in which the database file at
// `path` differs from `db` (`first` is the database, `second` the file).
// None when the file cannot be read (the user has been told why).
std::optional<std::vector<FieldDifference>> compareWithFile(const ConfigDatabase& db, const std::string& path,
                                                            const UserIo& io);

}  // namespace zat
