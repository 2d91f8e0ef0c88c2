// What the unit at one port and address was last known to hold: the image
// Export Changes compares the configuration with. It is taken only from a
// whole transfer that ended well and is kept true by every later write; when
// the program can no longer vouch for it, it is dropped.
#pragma once

#include "comms/transfer_groups.h"
#include "model/config_database.h"

#include <functional>
#include <optional>

namespace zat {

// Where a unit is reached: the image of one unit says nothing of another.
struct UnitPlace {
    int port = 0;
    int address = 0;

    static UnitPlace of(const CommsSettings& comms) { return UnitPlace{comms.port, comms.address}; }
    friend bool operator==(const UnitPlace&, const UnitPlace&) = default;
};

class UnitImage {
public:
    // A transfer of `groups` between the unit at `place` and `config` ended
    // well (Export, Import, Compare with Unit, Export Changes): the unit now
    // holds `config`'s fields of those groups. Of fewer than every group no
    // image is started (the others are unknown), but one held is brought up
    // to date.
    void transferred(const UnitPlace& place, TransferGroups groups, const ConfigDatabase& config);
    // A transfer failed or was given up, or the link was set up again: what
    // the unit holds is not known.
    void drop() { image_.reset(); }
    // The database's settings may name another port or address: an image of
    // a unit elsewhere is dropped.
    void follow(const UnitPlace& place);
    // A write of configuration outside a transfer (a monitor's Apply) went to
    // the unit: `change` brings the image along. Nothing when none is held.
    void written(const std::function<void(ConfigDatabase&)>& change);

    // The image of the unit at `place`; none when none is held for it.
    [[nodiscard]] const ConfigDatabase* at(const UnitPlace& place) const;
    // Whether the unit at the database's place is known to hold something
    // other than the database: Export Changes has work to do.
    [[nodiscard]] bool differsFrom(const ConfigDatabase& db) const;

private:
    struct Held {
        UnitPlace place;
        ConfigDatabase config;
    };
    std::optional<Held> image_;
};

// Copies the records of `groups` from `from` into `to`.
void copyGroups(const ConfigDatabase& from, TransferGroups groups, ConfigDatabase& to);

}  // namespace zat
