// What a unit command needs: the database with its communication settings
// (overridden by the options), the open link and the protocol over it.
#pragma once

#include "cli/commands.h"
#include "cli/unit_options.h"
#include "comms/protocol.h"
#include "comms/unit_link.h"
#include "model/config_database.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zat::cli {

// The exit status for a port that could not be opened; none when the
// command may go on (the port is open, perhaps with a note).
std::optional<int> exitStatusFor(const LinkReason& reason);

class UnitSession {
public:
    explicit UnitSession(Context& context);

    // Loads the database named by the options (the default one may be
    // missing: its New settings are used), applies the overrides, checks the
    // settings that come from the file and opens the port. Returns an exit
    // status when the command cannot go on.
    std::optional<int> open(const UnitOptions& options);

    ConfigDatabase db;
    UnitLink link;
    UnitProtocol protocol;

private:
    Context& context_;
};

}  // namespace zat::cli
