#include "cli/commands.h"

#include <cstdio>

#include "cli/summary.h"
#include "cli/unit_commands.h"
#include "model/config_database.h"
#include "model/database_file.h"

namespace zat::cli {
namespace {

int usage(Context& context, const char* synopsis) {
    std::fprintf(context.err, "usage: zatctl %s\n", synopsis);
    return kExitUsage;
}

// Saves through the core; its message box has already told why when it fails.
int saveTo(Context& context, ConfigDatabase& db, const std::string& path) {
    return saveDatabase(db, path, context.ports) ? kExitOk : kExitUsage;
}

// Loads a cleared configuration from a file that must exist: writing or
// showing the loader defaults of a missing file would look like success.
bool loadExisting(Context& context, ConfigDatabase& db, const std::string& path) {
    db.clear();
    const DatabaseLoad load = loadDatabase(db, path, context.ports);
    if (!load.fileRead) std::fprintf(context.err, "zatctl: cannot read %s: %s\n", path.c_str(), load.reason.c_str());
    return load.fileRead;
}

int runNew(Context& context, const std::vector<std::string>& args) {
    if (args.size() != 1) return usage(context, "new OUT.zat");
    ConfigDatabase db;
    db.clear();
    return saveTo(context, db, args[0]);
}

int runResave(Context& context, const std::vector<std::string>& args) {
    if (args.size() != 2) return usage(context, "resave IN.zat OUT.zat");
    ConfigDatabase db;
    if (!loadExisting(context, db, args[0])) return kExitUsage;
    return saveTo(context, db, args[1]);
}

int runShow(Context& context, const std::vector<std::string>& args) {
    if (args.size() != 1) return usage(context, "show DB.zat");
    ConfigDatabase db;
    if (!loadExisting(context, db, args[0])) return kExitUsage;
    std::fputs(summarize(db).c_str(), context.out);
    return kExitOk;
}

const std::vector<Command> kCommands = {
    {"new", "new OUT.zat", "save a cleared configuration (every record at its New value)",
     "Saves a configuration in which every record has its New value to OUT.zat.\n"
     "An existing OUT.zat is updated in place: keys and sections this program does\n"
     "not write are kept. The communication settings written are the program's\n"
     "start-up values (COM4, address 1, 9600 baud, 0.25 s, 5 retries).\n"
     "\n"
     "Example:\n"
     "  zatctl new blank.zat\n",
     runNew},
    {"resave", "resave IN.zat OUT.zat", "load a database file and save it again",
     "Clears the configuration, loads IN.zat (missing keys take their defaults)\n"
     "and saves it to OUT.zat. OUT.zat is updated in place if it exists; IN and\n"
     "OUT may be the same file. Useful to bring a hand-edited or old file into\n"
     "the program's own form.\n"
     "\n"
     "Example:\n"
     "  zatctl resave kiln.zat kiln-clean.zat\n",
     runResave},
    {"show", "show DB.zat", "print a summary of a database file",
     "Loads DB.zat and prints what it configures: the communication settings,\n"
     "the scanned analog inputs with their types and options, the outputs and\n"
     "digital points that have comments, and the blocks, controllers,\n"
     "profilers and profiles in use.\n"
     "\n"
     "Example:\n"
     "  zatctl -q show examples/demo-plant.zat\n",
     runShow},
    {"probe", "probe [UNIT OPTIONS]", "ask the unit whether it answers and which cards it carries",
     "Asks the unit whether it is there (the same probe every transfer starts\n"
     "with) and, if it answers, which card is fitted in each of its five slots.\n"
     "Exit status 1 if the unit does not answer.\n"
     "\n"
     "Example:\n"
     "  zatctl -v probe --device /dev/ttyUSB0 --address 3\n",
     runProbe, true},
};

}  // namespace

const std::vector<Command>& commands() { return kCommands; }

const Command* findCommand(const std::string& name) {
    for (const Command& command : kCommands)
        if (name == command.name) return &command;
    return nullptr;
}

}  // namespace zat::cli
