#include "cli/commands.h"

#include "cli/command_args.h"
#include "cli/compare_commands.h"
#include "cli/listing_command.h"
#include "cli/register_commands.h"
#include "cli/scan_command.h"
#include "cli/summary.h"
#include "cli/transfer_commands_cli.h"
#include "cli/unit_commands.h"
#include "cli/watch_command.h"
#include "model/config_database.h"
#include "model/database_file.h"

#include <cstdio>

namespace zat::cli {
namespace {

int usage(Context& context, const char* synopsis) {
    std::fprintf(context.err, "usage: zatctl %s\n", synopsis);
    return kExitUsage;
}

// Saves through the core; its message box has already told why when it fails.
int saveTo(Context& context, ConfigDatabase& db, const std::string& path) {
    return succeeded(saveDatabase(db, path, context.io)) ? kExitOk : kExitUsage;
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
    {
        .name = "new",
        .synopsis = "new OUT.zat",
        .summary = "save a cleared configuration (every record at its New value)",
        .help = "Saves a configuration in which every record has its New value to OUT.zat.\n"
                "An existing OUT.zat is updated in place: keys and sections this program does\n"
                "not write are kept. The communication settings written are the program's\n"
                "start-up values (COM4, address 1, 9600 baud, 0.25 s, 5 retries).\n"
                "\n"
                "Example:\n"
                "  zatctl new blank.zat\n",
        .run = runNew,
    },
    {
        .name = "resave",
        .synopsis = "resave IN.zat OUT.zat",
        .summary = "load a database file and save it again",
        .help = "Clears the configuration, loads IN.zat (missing keys take their defaults)\n"
                "and saves it to OUT.zat. OUT.zat is updated in place if it exists; IN and\n"
                "OUT may be the same file. Useful to bring a hand-edited or old file into\n"
                "the program's own form.\n"
                "\n"
                "Example:\n"
                "  zatctl resave kiln.zat kiln-clean.zat\n",
        .run = runResave,
    },
    {
        .name = "show",
        .synopsis = "show DB.zat",
        .summary = "print a summary of a database file",
        .help = "Loads DB.zat and prints what it configures: the communication settings,\n"
                "the scanned analog inputs with their types and options, the outputs and\n"
                "digital points that have comments, and the blocks, controllers,\n"
                "profilers and profiles in use.\n"
                "\n"
                "Example:\n"
                "  zatctl -q show examples/demo-plant.zat\n",
        .run = runShow,
    },
    {
        .name = "listing",
        .synopsis = "listing io|if DB.zat [-o FILE.txt]",
        .summary = "write the I/O or IF block listing as text",
        .help = "Loads DB.zat and writes the I/O listing (io) or the IF block listing (if)\n"
                "as text, laid out as on paper: per page the header line (title, a tab,\n"
                "\"Page   1\"), the column headings, then one line per printed line with its\n"
                "texts separated by tabs, and a form feed line between pages.\n"
                "\n"
                "Example:\n"
                "  zatctl -q listing if examples/demo-plant.zat -o if-blocks.txt\n",
        .run = runListing,
        .ownOptions = true,
        .options = [] { return options::textsOf(listingOptionTable()); },
    },
    {
        .name = "probe",
        .synopsis = "probe [--csv] [UNIT OPTIONS]",
        .summary = "ask the unit whether it answers and which cards it carries",
        .help = "Asks the unit whether it is there (the same probe every transfer starts\n"
                "with) and, if it answers, which card is fitted in each of its five slots.\n"
                "Exit status 1 if the unit does not answer.\n"
                "\n"
                "With a list of addresses (--address 1,3,5-7) each unit is asked in turn and\n"
                "a summary follows (\"address,result\" lines with --csv); exit status 0\n"
                "when every unit answered, 1 otherwise.\n"
                "\n"
                "Example:\n"
                "  zatctl -v probe --device /dev/ttyUSB0 --address 3\n",
        .run = runProbe,
        .unitOptions = true,
        .options = [] { return options::textsOf(commandOptionTable(kTakesCsv)); },
    },
    {
        .name = "export",
        .synopsis = kExportSynopsis,
        .summary = "send a database's configuration to the unit",
        .help = "Loads DB.zat and writes its configuration to the unit, then tells the unit\n"
                "to take it up. The communication settings are DB.zat's own, or those of\n"
                "the database named by --db; the unit options override either.\n"
                "\n"
                "Exit status 1 if the unit does not answer or the transfer is given up;\n"
                "the unit may then hold part of the configuration. With --since, exit\n"
                "status 3 when the unit did not hold OLD.zat's values: nothing was written.\n"
                "\n"
                "With a list of addresses (--address 1,3,5-7) the configuration goes to\n"
                "each unit in turn; one that fails does not stop the others, and a summary\n"
                "names each unit's result (\"address,result\" lines with --csv). Exit\n"
                "status 0 when all were exported, else 1.\n"
                "\n"
                "Example:\n"
                "  zatctl export kiln.zat --groups ai,pid --retry 2 --device /dev/ttyUSB0\n"
                "  zatctl export kiln.zat --address 1-6 --device /dev/ttyUSB0\n"
                "\n"
                "Tuning, one term at a time (kiln.zat as sent is kept as sent.zat):\n"
                "  zatctl export kiln.zat && cp kiln.zat sent.zat\n"
                "  (change a term in kiln.zat)\n"
                "  zatctl export kiln.zat --since sent.zat && cp kiln.zat sent.zat\n",
        .run = runExport,
        .unitOptions = true,
        .options = [] { return options::textsOf(commandOptionTable(kExportOptions)); },
    },
    {
        .name = "import",
        .synopsis = "import DB.zat [--groups LIST] [--retry N] [-o OUT.zat] [UNIT OPTIONS]",
        .summary = "read the unit's configuration into a database file",
        .help = "Reads the configuration from the unit into DB.zat and saves it (to OUT.zat\n"
                "with -o; DB.zat is then left alone). The groups not read keep what the\n"
                "file holds. The communication settings are DB.zat's own, or those of the\n"
                "database named by --db; the unit options override either. A DB.zat that\n"
                "does not exist yet starts from a cleared configuration with the settings\n"
                "of this run (--db, default ./Default.zat, and the unit options). If the\n"
                "import is given up nothing is saved, so no file is left half imported.\n"
                "\n"
                "Exit status 1 if the unit does not answer or the transfer is given up.\n"
                "\n"
                "Example:\n"
                "  zatctl import kiln.zat --groups pid,profilers,profiles -o kiln-tuned.zat\n",
        .run = runImport,
        .unitOptions = true,
        .options = [] { return options::textsOf(commandOptionTable(kImportOptions)); },
    },
    {
        .name = "verify",
        .synopsis = kVerifySynopsis,
        .summary = "compare the unit's configuration with a database file",
        .help = "Reads from the unit every field an import of the groups reads (the same\n"
                "requests, in the same order) and lists the fields where the unit differs\n"
                "from DB.zat, as \"[Section] Key: file VALUE, unit VALUE\", then a count;\n"
                "with --csv \"section,key,file,unit\" and one line per field, sections,\n"
                "keys and values as the database file has them. Nothing is written:\n"
                "neither to the unit nor to DB.zat.\n"
                "\n"
                "With a list of addresses each unit is compared in turn (its lines under\n"
                "\"Address N:\", or with an address column in CSV), then a summary.\n"
                "\n"
                "Exit status 0 the unit holds what the file says, 3 they differ, 1 the unit\n"
                "did not answer or the reading was given up, 2 usage or file error.\n"
                "\n"
                "Example:\n"
                "  zatctl verify kiln.zat --groups pid,profiles --device /dev/ttyUSB0\n",
        .run = runVerify,
        .unitOptions = true,
        .options = [] { return options::textsOf(commandOptionTable(kVerifyOptions)); },
    },
    {
        .name = "diff",
        .synopsis = kDiffSynopsis,
        .summary = "list the configuration fields in which two database files differ",
        .help = "Loads A.zat and B.zat and lists the configuration fields that differ, as\n"
                "\"[Section] Key: a VALUE, b VALUE\", then a count (with --csv\n"
                "\"section,key,a,b\" and one line per field): every field the database\n"
                "file holds for the records of the groups, comments included (and the\n"
                "digital points' comments when all groups are compared). Keys this program\n"
                "does not hold, and the communication settings, are not compared.\n"
                "\n"
                "Exit status 0 the same, 3 they differ, 2 usage or file error.\n"
                "\n"
                "Example:\n"
                "  zatctl diff kiln.zat kiln-tuned.zat --groups pid\n",
        .run = runDiff,
        .ownOptions = true,
        .options = [] { return options::textsOf(commandOptionTable(kDiffOptions)); },
    },
    {
        .name = "scan",
        .synopsis = kScanSynopsis,
        .summary = "find the units on the line: addresses, baud rates and cards",
        .help = kScanHelp,
        .run = runScan,
        .ownOptions = true,
        .options = scanOptionTexts,
    },
    {
        .name = "save-registers",
        .synopsis = "save-registers FILE.reg [UNIT OPTIONS]",
        .summary = "save the unit's working registers to a file",
        .help = "Reads the unit's working registers (the 40 analog output values, the 7\n"
                "digital output groups and the 6 S registers) into FILE.reg, updating an\n"
                "existing file in place. A register the unit returns as not set is saved\n"
                "as \"?\". A read that fails on the line (no reply, or only damaged ones)\n"
                "gives up the save: nothing is written. The name must end in .reg, so a\n"
                "database file is never written over.\n"
                "\n"
                "Exit status 1 if the unit does not answer or a read fails on the line,\n"
                "2 if the file cannot be written.\n"
                "\n"
                "Example:\n"
                "  zatctl save-registers shift-end.reg --device /dev/ttyUSB0\n",
        .run = runSaveRegisters,
        .unitOptions = true,
    },
    {
        .name = "load-registers",
        .synopsis = "load-registers FILE.reg [UNIT OPTIONS]",
        .summary = "write saved working registers back to the unit",
        .help = "Writes the registers saved in FILE.reg to the unit. Protected outputs and\n"
                "registers saved as \"?\" are left as the unit has them.\n"
                "\n"
                "Exit status 1 if the unit does not answer or a register cannot be read or\n"
                "written, 2 if the file is missing, not a .reg file, holds no register\n"
                "values or a value that does not fit 16 bits (nothing is sent then).\n"
                "\n"
                "Example:\n"
                "  zatctl load-registers shift-end.reg --device /dev/ttyUSB0\n",
        .run = runLoadRegisters,
        .unitOptions = true,
    },
    {
        .name = "save-cal",
        .synopsis = "save-cal FILE.cal [--retry N] [UNIT OPTIONS]",
        .summary = "save the unit's calibration constants to a file",
        .help = "Reads the unit's calibration constants (input zero and span, the zero and\n"
                "span of the 20 physical outputs, the cold junction zero) and writes them\n"
                "to FILE.cal, updating an existing file in place. Nothing is written if the\n"
                "reading is given up. The name must end in .cal.\n"
                "\n"
                "Exit status 1 if the unit does not answer or the reading is given up,\n"
                "2 if the file cannot be written.\n"
                "\n"
                "Example:\n"
                "  zatctl save-cal unit3.cal --retry 1 --port 1\n",
        .run = runSaveCalibration,
        .unitOptions = true,
        .options = [] { return options::textsOf(commandOptionTable(kSaveCalibrationOptions)); },
    },
    {
        .name = "restore-cal",
        .synopsis = "restore-cal FILE.cal [--retry N] [--ignore-errors] [UNIT OPTIONS]",
        .summary = "write calibration constants from a file to the unit",
        .help = "Writes the calibration constants saved in FILE.cal to the unit.\n"
                "\n"
                "Exit status 0 also when failed writes were ignored (a note says so), 1 if\n"
                "the unit does not answer or the restore is given up, 2 if the file is\n"
                "missing, unreadable, not a .cal file, holds no calibration constants or a\n"
                "value that does not fit 16 bits (nothing is sent then).\n"
                "\n"
                "Example:\n"
                "  zatctl restore-cal unit3.cal --retry 2 --ignore-errors --port 1\n",
        .run = runRestoreCalibration,
        .unitOptions = true,
        .options = [] { return options::textsOf(commandOptionTable(kRestoreCalibrationOptions)); },
    },
    {
        .name = "watch",
        .synopsis = kWatchSynopsis,
        .summary = "watch the running unit's inputs, outputs, controllers or profilers",
        .help = kWatchHelp,
        .run = runWatch,
        .unitOptions = true,
        .options = [] { return options::textsOf(watchOptionTable()); },
    },
};

}  // namespace

bool loadExisting(Context& context, ConfigDatabase& db, const std::string& path) {
    db.clear();
    const DatabaseLoad load = loadDatabase(db, path, context.io);
    if (!load.fileRead) std::fprintf(context.err, "zatctl: cannot read %s: %s\n", path.c_str(), load.reason.c_str());
    return load.fileRead;
}

const std::vector<Command>& commands() { return kCommands; }

const Command* findCommand(const std::string& name) {
    for (const Command& command : kCommands)
        if (name == command.name) return &command;
    return nullptr;
}

}  // namespace zat::cli
