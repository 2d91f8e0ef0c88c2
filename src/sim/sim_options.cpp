#include "sim/sim_options.h"

#include "options/option_table.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <optional>
#include <sstream>
#include <string_view>

namespace zat::sim {

namespace {

std::optional<long long> wholeNumber(const std::string& text, long long low, long long high) {
    if (text.empty()) return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value < low || value > high) return std::nullopt;
    return value;
}

std::optional<double> realNumber(const std::string& text, double low, double high) {
    if (text.empty()) return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text.c_str(), &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(value) || value < low || value > high) return std::nullopt;
    return value;
}

std::optional<std::vector<long long>> numberList(const std::string& text, long long low, long long high) {
    std::vector<long long> values;
    std::stringstream items(text);
    std::string item;
    while (std::getline(items, item, ',')) {
        const std::optional<long long> value = wholeNumber(item, low, high);
        if (!value) return std::nullopt;
        values.push_back(*value);
    }
    if (text.empty() || text.back() == ',') return std::nullopt;
    return values;
}

bool distinct(std::vector<long long> values) {
    std::sort(values.begin(), values.end());
    return std::adjacent_find(values.begin(), values.end()) == values.end();
}

bool isLineSpeed(long long baud) {
    return baud == 0 || baud == 1200 || baud == 2400 || baud == 4800 || baud == 9600 || baud == 19200;
}

// Each option's handler stores its value and says whether the value was good.
using Setter = std::function<bool(SimOptions&, const std::string&)>;

Setter integer(long long low, long long high, std::function<void(SimOptions&, long long)> store) {
    return [=](SimOptions& options, const std::string& text) {
        const std::optional<long long> value = wholeNumber(text, low, high);
        if (value) store(options, *value);
        return value.has_value();
    };
}

Setter percent(double FaultRates::*rate) {
    return [rate](SimOptions& options, const std::string& text) {
        const std::optional<double> value = realNumber(text, 0.0, 100.0);
        if (value) options.faultRates.*rate = *value;
        return value.has_value();
    };
}

// A request to fail, or its start: printable, from its kind letter on.
bool isRequestText(const std::string& text) {
    constexpr std::size_t kLongestRequest = 39;
    constexpr std::string_view kKinds = "RWS";
    if (text.empty() || text.size() > kLongestRequest || kKinds.find(text[0]) == std::string_view::npos) return false;
    for (char c : text)
        if (c <= ' ' || c > '~') return false;
    return true;
}

Setter requestFault(Fault fault) {
    return [fault](SimOptions& options, const std::string& text) {
        if (isRequestText(text)) options.requestFaults.push_back(RequestFault{text, fault});
        return isRequestText(text);
    };
}

using Row = options::Option<SimOptions>;

// A row whose value the setter checks and stores.
Row row(std::string_view name, std::string_view value, std::string_view help, Setter setter,
        options::Completion completion = {}) {
    return Row{.name = name,
               .value = value,
               .help = help,
               .take =
                   [setter = std::move(setter)](SimOptions& options, const std::string& text) {
                       return setter(options, text) ? std::nullopt : std::optional<std::string>("");
                   },
               .completion = completion};
}

Setter path(std::string SimOptions::*field) {
    return [field](SimOptions& o, const std::string& text) {
        o.*field = text;
        return !text.empty();
    };
}

const options::OptionTable<SimOptions>& optionTable() {
    static const options::OptionTable<SimOptions> table{
        row("--address", "LIST",
            "unit address, 1..99 (default 1); a list (1,2,5) puts that\n"
            "many units on the line, each with its own memory",
            [](SimOptions& o, const std::string& text) {
                const auto addresses = numberList(text, 1, 99);
                if (!addresses || !distinct(*addresses)) return false;
                o.unit.address = static_cast<int>(addresses->front());
                o.moreAddresses.assign(addresses->begin() + 1, addresses->end());
                return true;
            }),
        row("--slots", "a,b,c,d,e", "card codes of the five slots, 0..7 (default 3,1,4,6,7)",
            [](SimOptions& o, const std::string& text) {
                const auto codes = numberList(text, 0, 7);
                if (!codes || codes->size() != o.unit.slotCodes.size()) return false;
                for (std::size_t i = 0; i < codes->size(); ++i)
                    o.unit.slotCodes[i] = static_cast<std::uint16_t>((*codes)[i]);
                return true;
            }),
        row(
            "--baud", "N", "pace replies at 1200, 2400, 4800, 9600 or 19200 baud (default 0: no pacing)",
            [](SimOptions& o, const std::string& text) {
                const std::optional<long long> baud = wholeNumber(text, 0, 19200);
                if (baud && isLineSpeed(*baud)) o.timing.baudRate = static_cast<int>(*baud);
                return baud && isLineSpeed(*baud);
            },
            options::oneOf("0|1200|2400|4800|9600|19200")),
        row("--turnaround-ms", "N", "wait before the first reply character (default 0)",
            integer(0, 60000, [](SimOptions& o, long long v) { o.timing.turnaroundMs = static_cast<int>(v); })),
        row("--late-ms", "N", "delay of a late reply (default 1000)",
            integer(0, 60000, [](SimOptions& o, long long v) { o.timing.lateMs = static_cast<int>(v); })),
        row("--random-start", "N", "start of the random signals and fault draws (default 1)",
            integer(0, 4294967295LL,
                    [](SimOptions& o, long long v) { o.randomStart = static_cast<std::uint32_t>(v); })),
        row("--drop", "P", "percent of replies left out (default 0)", percent(&FaultRates::drop)),
        row("--garble", "P", "percent of replies garbled (default 0)", percent(&FaultRates::garble)),
        row("--refuse", "P", "percent of replies refusing the request (default 0)", percent(&FaultRates::refuse)),
        row("--truncate", "P", "percent of replies cut short (default 0)", percent(&FaultRates::truncate)),
        row("--late", "P", "percent of replies sent late (default 0)", percent(&FaultRates::late)),
        row("--no-reply-to", "REQ",
            "no reply to every request starting with REQ, each time it\n"
            "comes, e.g. --no-reply-to R01B05 (repeatable)",
            requestFault(Fault::Drop)),
        row("--garble-reply-to", "REQ", "a garbled reply to every request starting with REQ",
            requestFault(Fault::Garble)),
        row("--refuse-reply-to", "REQ", "a refusal of every request starting with REQ", requestFault(Fault::Refuse)),
        row("--truncate-reply-to", "REQ", "a reply cut short to every request starting with REQ",
            requestFault(Fault::Truncate)),
        row("--late-reply-to", "REQ", "a late reply to every request starting with REQ", requestFault(Fault::Late)),
        row("--bad-value-reply-to", "REQ",
            "an accepted read reply whose value is \"????\" to every\nrequest starting with REQ",
            requestFault(Fault::BadValue)),
        row("--broken", "LIST", "analog inputs with broken sensors, e.g. 3,17",
            [](SimOptions& o, const std::string& text) {
                const auto inputs = numberList(text, 0, 39);
                if (inputs) o.brokenSensors.assign(inputs->begin(), inputs->end());
                return inputs.has_value();
            }),
        row("--invalid-outputs", "LIST", "analog outputs whose status word says invalid, e.g. 2,21",
            [](SimOptions& o, const std::string& text) {
                const auto outputs = numberList(text, 0, 39);
                if (outputs) o.invalidOutputs.assign(outputs->begin(), outputs->end());
                return outputs.has_value();
            }),
        row("--silent-after-s", "N", "stop answering N seconds after start (0: silent from the start)",
            integer(0, 86400, [](SimOptions& o, long long v) { o.silentAfterSeconds = static_cast<int>(v); })),
        row("--plant", "FILE.zat",
            "load the database's controllers, profilers and profiles\nand start its enabled profilers",
            path(&SimOptions::plantPath), options::filesLike(".zat")),
        row("--time-scale", "X", "simulated seconds per real second (default 1)",
            [](SimOptions& o, const std::string& text) {
                const std::optional<double> scale = realNumber(text, 1e-3, 1e4);
                if (scale) o.unit.timeScale = *scale;
                return scale.has_value();
            }),
        row("--link", "PATH", "a symbolic link at PATH to the device, removed on exit", path(&SimOptions::linkPath),
            options::filesLike("")),
        row("--log", "FILE", "write every exchange to FILE (\"-\" = standard output)", path(&SimOptions::logPath),
            options::filesLike("")),
        Row{.name = "--help", .shortName = "-h", .help = "this text", .take = options::setting(&SimOptions::help)},
    };
    return table;
}

}  // namespace

std::variant<SimOptions, std::string> parseSimOptions(const std::vector<std::string>& args) {
    SimOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const options::Taken taken = options::takeOption(optionTable(), args, i, options);
        switch (taken.status) {
            case options::Taken::Status::NotAnOption:
                return "unknown option " + args[i];
            case options::Taken::Status::MissingValue:
                return taken.problem;
            case options::Taken::Status::BadValue:
                return "bad value for " + taken.name + ": " + taken.value;
            case options::Taken::Status::Taken:
                break;
        }
    }
    const FaultRates& r = options.faultRates;
    if (r.drop + r.garble + r.refuse + r.truncate + r.late > 100.0)
        return "the fault rates add up to more than 100 percent";
    options.unit.randomStart = options.randomStart;
    return options;
}

FaultPlan faultPlanOf(const SimOptions& options) {
    FaultPlan plan(options.faultRates, options.randomStart);
    for (const RequestFault& rule : options.requestFaults) plan.failRequests(rule);
    return plan;
}

const options::OptionTable<SimOptions>& simOptionTable() { return optionTable(); }

std::string simDescription() {
    return "A simulated ZAT V2 unit on a pseudo-terminal. Prints the device path, then\n"
           "answers requests on it until interrupted (SIGINT or SIGTERM). SIGUSR1 makes\n"
           "the unit stop answering, the next SIGUSR1 makes it answer again.\n";
}

std::string simUsage() {
    return "Usage: zat-unit-sim [OPTIONS]\n" + simDescription() + "\n" +
           options::optionHelp(options::textsOf(optionTable()), 20);
}

}  // namespace zat::sim
