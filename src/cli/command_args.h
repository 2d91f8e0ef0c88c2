// The words of the commands that move data between the unit and a file: the
// unit options, the command's own options and the files named, and the
// checks of those files made before the unit is asked anything.
#pragma once

#include "cli/commands.h"
#include "cli/unit_options.h"
#include "comms/transfer_groups.h"

#include <optional>
#include <string>
#include <vector>

namespace zat::cli {

// The own options a command takes.
enum CommandOption : unsigned {
    kTakesGroups = 1,        // --groups LIST
    kTakesRetry = 2,         // --retry N
    kTakesIgnoreErrors = 4,  // --ignore-errors
    kTakesOutput = 8,        // -o FILE
    kTakesCsv = 16,          // --csv
    kTakesSince = 32,        // --since OLD.zat
};

struct CommandArgs {
    UnitOptions unit;
    std::vector<std::string> files;  // the words that are not options, in order
    TransferGroups groups = kAllTransferGroups;
    int retries = 0;  // Retry answers to a failed transfer's question before Abort
    bool ignoreErrors = false;
    std::optional<std::string> output;
    bool csv = false;
    std::optional<std::string> since;  // what the unit holds, for an export of the changes
};

constexpr int kMaxRetryAnswers = 99;

// "ai,ao,hc,if,pid,profilers,profiles" (any of them, in any order, any case)
// as transfer groups; none for an empty or unknown name.
std::optional<TransferGroups> parseGroups(const std::string& list);

// The rows of the options in `takes`, in the order of the bits.
options::OptionTable<CommandArgs> commandOptionTable(unsigned takes);

// Takes the unit options and the options in `takes` from args. Returns a
// one-line explanation when an option or its value is wrong or not taken.
std::optional<std::string> parseCommandArgs(std::vector<std::string> args, unsigned takes, CommandArgs& parsed);

// Parses args for a command that names exactly `files` files. Prints the problem
// and the usage line, and returns the usage exit status, when they are wrong.
std::optional<int> takeCommandArgs(Context& context, const std::vector<std::string>& args, unsigned takes,
                                   const char* synopsis, CommandArgs& parsed, std::size_t files = 1);

// Refuses a file of the wrong kind as the program's dialogs do, with the
// message box "Error: Must be a .REG file". True when the name is right.
bool checkExtension(Context& context, const std::string& path, const char* extension);

// True when `path` names a readable file; otherwise says why on the error
// stream ("zatctl: cannot read PATH: reason").
bool checkReadable(Context& context, const std::string& path);

// True when `path` can be created, or updated in place if it exists;
// otherwise says why ("zatctl: cannot write PATH: reason").
bool checkWritable(Context& context, const std::string& path);

// A database's own settings find its unit, as the window's Open does; --db
// names another database's, and the unit options still override either.
UnitOptions withSettingsOf(const std::string& database, UnitOptions options);

// Sets how the questions of a failed transfer are answered for this run.
void answerTransferFailures(Context& context, int retries, bool ignoreOnce);

}  // namespace zat::cli
