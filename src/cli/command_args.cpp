#include "cli/command_args.h"

#include "commands/file_names.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace zat::cli {

namespace {

std::string lowerCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::optional<TransferGroups> group(const std::string& name) {
    struct Named {
        const char* name;
        TransferGroups group;
    };
    constexpr Named kGroups[] = {
        {"ai", kTransferAnalogInputs},   {"ao", kTransferAnalogOutputs}, {"hc", kTransferHotColdBlocks},
        {"if", kTransferIfBlocks},       {"pid", kTransferControllers},  {"profilers", kTransferProfilers},
        {"profiles", kTransferProfiles},
    };
    const std::string wanted = lowerCase(name);
    for (const Named& g : kGroups)
        if (wanted == g.name) return g.group;
    return std::nullopt;
}

std::optional<int> retryCount(const std::string& text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0 || value > kMaxRetryAnswers)
        return std::nullopt;
    return value;
}

void fileProblem(Context& context, const char* doing, const std::string& path, const char* reason) {
    std::fprintf(context.err, "zatctl: cannot %s %s: %s\n", doing, path.c_str(), reason);
}

}  // namespace

std::optional<TransferGroups> parseGroups(const std::string& list) {
    TransferGroups groups = 0;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = list.find(',', start);
        const auto g = group(list.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (!g) return std::nullopt;
        groups |= *g;
        if (comma == std::string::npos) return groups;
        start = comma + 1;
    }
}

options::OptionTable<CommandArgs> commandOptionTable(unsigned takes) {
    using Problem = std::optional<std::string>;
    const options::OptionTable<CommandArgs> rows = {
        {.name = "--groups",
         .value = "LIST",
         .help = "the groups to move, a comma list of: ai (analog inputs),\n"
                 "ao (analog outputs), hc (hot/cold blocks), if (IF blocks),\n"
                 "pid (controllers), profilers, profiles. Default: all",
         .take = [](CommandArgs& parsed, const std::string& text) -> Problem {
             const auto groups = parseGroups(text);
             if (!groups) return " (a comma list of ai, ao, hc, if, pid, profilers, profiles)";
             parsed.groups = *groups;
             return std::nullopt;
         },
         .completion = options::oneOf("ai|ao|hc|if|pid|profilers|profiles")},
        {.name = "--retry",
         .value = "N",
         .help = "when it fails, run it again up to N times\n(0..99, default 0) before giving up",
         .take = [](CommandArgs& parsed, const std::string& text) -> Problem {
             const auto retries = retryCount(text);
             if (!retries) return " (0..99)";
             parsed.retries = *retries;
             return std::nullopt;
         }},
        {.name = "--ignore-errors",
         .help = "then write every constant once more, passing over the\nones that fail, instead of giving up",
         .take = options::setting(&CommandArgs::ignoreErrors)},
        {.name = "-o",
         .value = "OUT.zat",
         .help = "save to OUT.zat instead of DB.zat",
         .take = [](CommandArgs& parsed, const std::string& text) -> Problem {
             if (text.empty()) return "";
             parsed.output = text;
             return std::nullopt;
         },
         .completion = options::filesLike(".zat")},
        {.name = "--csv",
         .help = "write CSV: a header line, then one line per field or unit",
         .take = options::setting(&CommandArgs::csv)},
        {.name = "--since",
         .value = "OLD.zat",
         .help = "export only the changes: OLD.zat is what the unit holds\n"
                 "(the file of the last import, verify or export). The\n"
                 "fields in which DB.zat differs from it are read first;\n"
                 "when the unit holds OLD.zat's values there, only those\n"
                 "fields are written, then the unit takes them up. With no\n"
                 "difference only the probe is sent (\"nothing to export\")",
         .take = [](CommandArgs& parsed, const std::string& text) -> Problem {
             if (text.empty()) return "";
             parsed.since = text;
             return std::nullopt;
         },
         .completion = options::filesLike(".zat")},
    };
    static_assert(kTakesOutput == 8 && kTakesCsv == 16 && kTakesSince == 32,
                  "one row per bit, in the order of the bits");
    options::OptionTable<CommandArgs> table;
    for (std::size_t bit = 0; bit < rows.size(); ++bit)
        if (takes & (1u << bit)) table.push_back(rows[bit]);
    return table;
}

std::optional<std::string> parseCommandArgs(std::vector<std::string> args, unsigned takes, CommandArgs& parsed) {
    if (auto problem = takeUnitOptions(args, parsed.unit)) return problem;
    const options::OptionTable<CommandArgs> table = commandOptionTable(takes);
    for (std::size_t i = 0; i < args.size(); ++i) {
        const options::Taken taken = options::takeOption(table, args, i, parsed);
        if (taken.status != options::Taken::Status::NotAnOption && taken.status != options::Taken::Status::Taken)
            return problemOf(taken);
        if (taken.status == options::Taken::Status::Taken) continue;
        if (args[i].size() > 1 && args[i][0] == '-') return "unknown option '" + args[i] + "'";
        parsed.files.push_back(args[i]);
    }
    return std::nullopt;
}

std::optional<int> takeCommandArgs(Context& context, const std::vector<std::string>& args, unsigned takes,
                                   const char* synopsis, CommandArgs& parsed, std::size_t files) {
    if (const auto problem = parseCommandArgs(args, takes, parsed)) {
        std::fprintf(context.err, "zatctl: %s\nusage: zatctl %s\n", problem->c_str(), synopsis);
        return kExitUsage;
    }
    const auto empty = [](const std::string& name) { return name.empty(); };
    if (parsed.files.size() != files || std::any_of(parsed.files.begin(), parsed.files.end(), empty)) {
        std::fprintf(context.err, "usage: zatctl %s\n", synopsis);
        return kExitUsage;
    }
    return std::nullopt;
}

bool checkExtension(Context& context, const std::string& path, const char* extension) {
    return zat::checkExtension(path, extension, context.io.prompts, context.io.beep);
}

bool checkReadable(Context& context, const std::string& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        fileProblem(context, "read", path, std::strerror(EISDIR));
        return false;
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        fileProblem(context, "read", path, std::strerror(errno));
        return false;
    }
    std::fclose(file);
    return true;
}

bool checkWritable(Context& context, const std::string& path) {
    std::error_code error;
    if (std::filesystem::exists(path, error)) {
        // Updated in place: what is there is read first.
        if (!checkReadable(context, path)) return false;
    }
    // The file is replaced through a temporary file beside it.
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    const std::filesystem::path folder = parent.empty() ? std::filesystem::path(".") : parent;
    struct stat info {};
    const int problem = stat(folder.c_str(), &info) != 0 ? errno : !S_ISDIR(info.st_mode) ? ENOTDIR : 0;
    if (problem != 0) {
        fileProblem(context, "write", path, std::strerror(problem));
        return false;
    }
    if (access(folder.c_str(), W_OK | X_OK) != 0) {
        fileProblem(context, "write", path, std::strerror(errno));
        return false;
    }
    return true;
}

UnitOptions withSettingsOf(const std::string& database, UnitOptions options) {
    if (!options.databaseGiven) {
        options.database = database;
        options.databaseGiven = true;
    }
    return options;
}

void answerTransferFailures(Context& context, int retries, bool ignoreOnce) {
    if (context.consolePrompts == nullptr) return;
    context.consolePrompts->retriesLeft = retries;
    context.consolePrompts->ignoreOnce = ignoreOnce;
}

}  // namespace zat::cli
