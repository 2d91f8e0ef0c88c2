#include "cli/watch_command.h"

#include "cli/unit_session.h"
#include "cli/watch_output.h"
#include "cli/watch_sources.h"

#include <chrono>
#include <cstdio>
#include <optional>
#include <signal.h>
#include <strings.h>
#include <unistd.h>

namespace zat::cli {

const char* const kWatchSynopsis =
    "watch ai|ao|di|do|pid|profilers [--slot N | --group NAME] [--count K] [--csv] [UNIT OPTIONS]";

const char* const kWatchHelp =
    "Watches the running unit as the program's monitor windows do, sending the\n"
    "same requests at the same pace: ai analog inputs (one row every 250 ms),\n"
    "ao analog outputs (one row every 250 ms), di digital inputs and do digital\n"
    "outputs (the group every second), pid controllers and profilers (every 2 s\n"
    "after the previous poll ends). While the unit does not answer it says\n"
    "\"No reply from unit\" and tries once every 5 s until it answers again.\n"
    "\n"
    "On a terminal the table is redrawn in place; otherwise one table is\n"
    "written per sweep. Exit status 0 when interrupted or after --count, 1 if\n"
    "the unit does not answer at opening (or has no controllers or profilers\n"
    "enabled), 2 for bad arguments or a page the monitor does not have.\n"
    "\n"
    "Example:\n"
    "  zatctl watch ai --slot 2 --csv --device /dev/ttyUSB0 > kiln.csv\n";

namespace {

using Clock = std::chrono::steady_clock;

using Problem = std::optional<std::string>;

const options::OptionTable<WatchArgs> kWatchOptions = {
    {.name = "--slot",
     .value = "N",
     .help = "the page of card slot N (1..5); default the first page",
     .take = [](WatchArgs& parsed, const std::string& text) -> Problem {
         const auto slot = wholeNumber(text, 1, 5);
         if (!slot) return " (1..5)";
         parsed.slot = static_cast<int>(*slot);
         return std::nullopt;
     }},
    {.name = "--group",
     .value = "NAME",
     .help = "the page by its tab title: \"Slot 2\", \"20-23\", \"48-55\",\n"
             "\"Controller 2\", \"Profiler 1\" (any case)",
     .take = [](WatchArgs& parsed, const std::string& text) -> Problem {
         if (text.empty()) return "";
         parsed.group = text;
         return std::nullopt;
     }},
    {.name = "--count",
     .value = "K",
     .help = "stop after K sweeps of the page (every row read once);\n"
             "default: until interrupted (Ctrl-C)",
     .take = [](WatchArgs& parsed, const std::string& text) -> Problem {
         parsed.count = wholeNumber<long>(text, 1, 1'000'000'000);
         if (!parsed.count) return " (a number of sweeps from 1)";
         return std::nullopt;
     }},
    {.name = "--csv",
     .help = "write \"time,channel,value,status\" and one line per reading\n"
             "(local ISO 8601 time with milliseconds, channel as A08 or\n"
             "PID1, the value as the window shows it, the status word\n"
             "in hex or empty) instead of the table of the page",
     .take = options::setting(&WatchArgs::csv)},
};

std::optional<std::string> parseWatchArgs(std::vector<std::string> args, WatchArgs& parsed) {
    if (auto problem = takeUnitOptions(args, parsed.unit)) return problem;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const options::Taken taken = options::takeOption(kWatchOptions, args, i, parsed);
        const std::string& arg = args[i];
        if (taken.status == options::Taken::Status::Taken) continue;
        if (taken.status != options::Taken::Status::NotAnOption) return problemOf(taken);
        if (arg.size() > 1 && arg[0] == '-') {
            return "unknown option '" + arg + "'";
        } else if (parsed.kind.empty()) {
            parsed.kind = arg;
        } else {
            return "one monitor at a time ('" + arg + "' is one too many)";
        }
    }
    if (parsed.kind.empty()) return "which monitor: ai, ao, di, do, pid or profilers";
    if (parsed.slot && parsed.group) return "--slot and --group both choose the page: give one";
    if (parsed.slot && (parsed.kind == "pid" || parsed.kind == "profilers"))
        return "--slot is for ai, ao, di and do; choose a " + parsed.kind + " tab with --group";
    return std::nullopt;
}

// The tab the options name, or a message listing the titles there are.
std::optional<int> chosenTab(Context& context, const WatchArgs& args, const std::vector<std::string>& titles) {
    if (args.slot) return *args.slot - 1;
    if (!args.group) return 0;
    for (std::size_t t = 0; t < titles.size(); ++t)
        if (strcasecmp(titles[t].c_str(), args.group->c_str()) == 0) return static_cast<int>(t);
    std::string known;
    for (const std::string& title : titles) known += (known.empty() ? "" : ", ") + title;
    std::fprintf(context.err, "zatctl: the %s monitor has no page '%s' (it has: %s)\n", args.kind.c_str(),
                 args.group->c_str(), known.c_str());
    return std::nullopt;
}

// Ctrl-C and SIGTERM are held while an exchange runs and taken while waiting,
// so a stop never cuts a frame short and the port is closed as usual.
class StopSignals {
public:
    StopSignals() {
        sigemptyset(&set_);
        sigaddset(&set_, SIGINT);
        sigaddset(&set_, SIGTERM);
        pthread_sigmask(SIG_BLOCK, &set_, &previous_);
    }
    ~StopSignals() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // Waits until `due`; true when a stop signal came first.
    bool waitUntil(Clock::time_point due) const {
        while (true) {
            const auto left = std::chrono::duration_cast<std::chrono::nanoseconds>(due - Clock::now());
            const long long nanos = left.count() > 0 ? left.count() : 0;
            const timespec wait{static_cast<time_t>(nanos / 1'000'000'000), static_cast<long>(nanos % 1'000'000'000)};
            if (sigtimedwait(&set_, nullptr, &wait) > 0) return true;
            if (nanos == 0 || Clock::now() >= due) return false;
        }
    }

private:
    sigset_t set_{};
    sigset_t previous_{};
};

class WatchWriter {
public:
    WatchWriter(std::FILE* out, bool csv) : out_(out), csv_(csv), redraw_(isatty(fileno(out)) != 0) {
        if (csv_) std::fputs(kWatchCsvHeader.data(), out_);
    }
    void polled(const WatchSource& source) {
        if (csv_) writeCsv(out_, isoLocalTime(std::chrono::system_clock::now()), source.lastReadings());
    }
    void swept(const WatchSource& source) {
        if (csv_) return;
        if (redraw_) std::fputs("\x1b[H\x1b[2J", out_);  // cursor home, clear: the table stays in place
        std::fputs(watchTable(source.title(), source.pageReadings(), source.linkStatus()).c_str(), out_);
        if (!redraw_) std::fputc('\n', out_);
        std::fflush(out_);
    }

private:
    std::FILE* out_;
    bool csv_;
    bool redraw_;
};

}  // namespace

const options::OptionTable<WatchArgs>& watchOptionTable() { return kWatchOptions; }

int runWatch(Context& context, const std::vector<std::string>& args) {
    WatchArgs parsed;
    if (const auto problem = parseWatchArgs(args, parsed)) {
        std::fprintf(context.err, "zatctl: %s\nusage: zatctl %s\n", problem->c_str(), kWatchSynopsis);
        return kExitUsage;
    }
    UnitSession session(context);
    const auto source = makeWatchSource(parsed.kind, session.db);
    if (source == nullptr) {
        std::fprintf(context.err, "zatctl: unknown monitor '%s' (ai, ao, di, do, pid or profilers)\nusage: zatctl %s\n",
                     parsed.kind.c_str(), kWatchSynopsis);
        return kExitUsage;
    }
    if (const auto status = session.open(parsed.unit)) return *status;

    const StopSignals stop;
    if (failed(source->open(session.protocol))) return kExitUnitFailure;
    const auto tab = chosenTab(context, parsed, source->tabTitles());
    if (!tab) return kExitUsage;
    if (*tab != 0) source->choose(session.protocol, *tab);

    WatchWriter writer(context.out, parsed.csv);
    long sweeps = 0;
    int ticks = 0;
    if (source->pollsOnShow()) {
        // Showing the tab was its first poll.
        writer.polled(*source);
        writer.swept(*source);
        ++sweeps;
    }
    auto due = Clock::now() + source->tickInterval();
    while (!parsed.count || sweeps < *parsed.count) {
        if (stop.waitUntil(due)) break;
        source->tick(session.protocol);
        writer.polled(*source);
        if (++ticks == source->ticksPerSweep()) {
            ticks = 0;
            ++sweeps;
            writer.swept(*source);
        }
        // A window timer keeps its period and, once late, starts again from now; the
        // controller and profiler wait from the end of the poll.
        const auto now = Clock::now();
        due = source->pollsOnShow() ? now + source->tickInterval() : due + source->tickInterval();
        if (due < now) due = now + source->tickInterval();
    }
    return kExitOk;
}

}  // namespace zat::cli
