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

std::optional<std::string> parseCommandArgs(std::vector<std::string> args, unsigned takes, CommandArgs& parsed) {
    if (auto problem = takeUnitOptions(args, parsed.unit)) return problem;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool takesValue = (arg == "--groups" && (takes & kTakesGroups)) ||
                                (arg == "--retry" && (takes & kTakesRetry)) ||
                                (arg == "-o" && (takes & kTakesOutput)) || (arg == "--since" && (takes & kTakesSince));
        if (takesValue) {
            if (i + 1 >= args.size()) return arg + " needs a value";
            const std::string& value = args[++i];
            const std::string bad = "bad value '" + value + "' for " + arg;
            if (arg == "--groups") {
                const auto groups = parseGroups(value);
                if (!groups) return bad + " (a comma list of ai, ao, hc, if, pid, profilers, profiles)";
                parsed.groups = *groups;
            } else if (arg == "--retry") {
                const auto retries = retryCount(value);
                if (!retries) return bad + " (0..99)";
                parsed.retries = *retries;
            } else if (arg == "--since") {
                if (value.empty()) return bad;
                parsed.since = value;
            } else {
                if (value.empty()) return bad;
                parsed.output = value;
            }
        } else if (arg == "--csv" && (takes & kTakesCsv)) {
            parsed.csv = true;
        } else if (arg == "--ignore-errors" && (takes & kTakesIgnoreErrors)) {
            parsed.ignoreErrors = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return "unknown option '" + arg + "'";
        } else {
            parsed.files.push_back(arg);
        }
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
