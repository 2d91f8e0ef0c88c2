#include "sim/sim_options.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>
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

const std::map<std::string, Setter>& setters() {
    static const std::map<std::string, Setter> table{
        {"--address",
         [](SimOptions& o, const std::string& text) {
             const auto addresses = numberList(text, 1, 99);
             if (!addresses || !distinct(*addresses)) return false;
             o.unit.address = static_cast<int>(addresses->front());
             o.moreAddresses.assign(addresses->begin() + 1, addresses->end());
             return true;
         }},
        {"--baud",
         [](SimOptions& o, const std::string& text) {
             const std::optional<long long> baud = wholeNumber(text, 0, 19200);
             if (baud && isLineSpeed(*baud)) o.timing.baudRate = static_cast<int>(*baud);
             return baud && isLineSpeed(*baud);
         }},
        {"--turnaround-ms",
         integer(0, 60000, [](SimOptions& o, long long v) { o.timing.turnaroundMs = static_cast<int>(v); })},
        {"--late-ms", integer(0, 60000, [](SimOptions& o, long long v) { o.timing.lateMs = static_cast<int>(v); })},
        {"--random-start",
         integer(0, 4294967295LL, [](SimOptions& o, long long v) { o.randomStart = static_cast<std::uint32_t>(v); })},
        {"--drop", percent(&FaultRates::drop)},
        {"--garble", percent(&FaultRates::garble)},
        {"--refuse", percent(&FaultRates::refuse)},
        {"--truncate", percent(&FaultRates::truncate)},
        {"--late", percent(&FaultRates::late)},
        {"--no-reply-to", requestFault(Fault::Drop)},
        {"--garble-reply-to", requestFault(Fault::Garble)},
        {"--refuse-reply-to", requestFault(Fault::Refuse)},
        {"--truncate-reply-to", requestFault(Fault::Truncate)},
        {"--late-reply-to", requestFault(Fault::Late)},
        {"--bad-value-reply-to", requestFault(Fault::BadValue)},
        {"--time-scale",
         [](SimOptions& o, const std::string& text) {
             const std::optional<double> scale = realNumber(text, 1e-3, 1e4);
             if (scale) o.unit.timeScale = *scale;
             return scale.has_value();
         }},
        {"--slots",
         [](SimOptions& o, const std::string& text) {
             const auto codes = numberList(text, 0, 7);
             if (!codes || codes->size() != o.unit.slotCodes.size()) return false;
             for (std::size_t i = 0; i < codes->size(); ++i)
                 o.unit.slotCodes[i] = static_cast<std::uint16_t>((*codes)[i]);
             return true;
         }},
        {"--broken",
         [](SimOptions& o, const std::string& text) {
             const auto inputs = numberList(text, 0, 39);
             if (inputs) o.brokenSensors.assign(inputs->begin(), inputs->end());
             return inputs.has_value();
         }},
        {"--invalid-outputs",
         [](SimOptions& o, const std::string& text) {
             const auto outputs = numberList(text, 0, 39);
             if (outputs) o.invalidOutputs.assign(outputs->begin(), outputs->end());
             return outputs.has_value();
         }},
        {"--silent-after-s",
         integer(0, 86400, [](SimOptions& o, long long v) { o.silentAfterSeconds = static_cast<int>(v); })},
        {"--plant",
         [](SimOptions& o, const std::string& text) {
             o.plantPath = text;
             return !text.empty();
         }},
        {"--link",
         [](SimOptions& o, const std::string& text) {
             o.linkPath = text;
             return !text.empty();
         }},
        {"--log",
         [](SimOptions& o, const std::string& text) {
             o.logPath = text;
             return !text.empty();
         }},
    };
    return table;
}

}  // namespace

std::variant<SimOptions, std::string> parseSimOptions(const std::vector<std::string>& args) {
    SimOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (name == "-h" || name == "--help") {
            options.help = true;
            continue;
        }
        const auto setter = setters().find(name);
        if (setter == setters().end()) return "unknown option " + name;
        if (i + 1 >= args.size()) return name + " needs a value";
        const std::string& value = args[++i];
        if (!setter->second(options, value)) return "bad value for " + name + ": " + value;
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

std::string simUsage() {
    return "Usage: zat-unit-sim [OPTIONS]\n"
           "A simulated ZAT V2 unit on a pseudo-terminal. Prints the device path, then\n"
           "answers requests on it until interrupted (SIGINT or SIGTERM). SIGUSR1 makes\n"
           "the unit stop answering, the next SIGUSR1 makes it answer again.\n"
           "\n"
           "  --address LIST      unit address, 1..99 (default 1); a list (1,2,5) puts that\n"
           "                      many units on the line, each with its own memory\n"
           "  --slots a,b,c,d,e   card codes of the five slots, 0..7 (default 3,1,4,6,7)\n"
           "  --baud N            pace replies at 1200, 2400, 4800, 9600 or 19200 baud (default 0: no pacing)\n"
           "  --turnaround-ms N   wait before the first reply character (default 0)\n"
           "  --late-ms N         delay of a late reply (default 1000)\n"
           "  --random-start N    start of the random signals and fault draws (default 1)\n"
           "  --drop P --garble P --refuse P --truncate P --late P\n"
           "                      percent of replies with each fault (default 0)\n"
           "  --no-reply-to REQ --garble-reply-to REQ --refuse-reply-to REQ\n"
           "  --truncate-reply-to REQ --late-reply-to REQ --bad-value-reply-to REQ\n"
           "                      that fault on every request starting with REQ, each time\n"
           "                      it comes, e.g. --no-reply-to R01B05 (repeatable); a bad\n"
           "                      value is an accepted read reply whose value is \"????\"\n"
           "  --broken LIST       analog inputs with broken sensors, e.g. 3,17\n"
           "  --invalid-outputs LIST\n"
           "                      analog outputs whose status word says invalid, e.g. 2,21\n"
           "  --silent-after-s N  stop answering N seconds after start (0: silent from the start)\n"
           "  --plant FILE.zat    load the database's controllers, profilers and profiles\n"
           "                      and start its enabled profilers\n"
           "  --time-scale X      simulated seconds per real second (default 1)\n"
           "  --link PATH         a symbolic link at PATH to the device, removed on exit\n"
           "  --log FILE          write every exchange to FILE (\"-\" = standard output)\n"
           "  -h, --help          this text\n";
}

}  // namespace zat::sim
