#include "cli/unit_options.h"

#include "comms/address_list.h"
#include "comms/comms_entries.h"
#include "comms/device_name.h"

namespace zat::cli {

namespace {

using Problem = std::optional<std::string>;
using options::filesLike;
using options::oneOf;

// Stores a whole number in lowest..highest, or says the range.
template <typename Number>
auto wholeIn(std::optional<Number> UnitOptions::*field, Number lowest, Number highest, const char* range) {
    return [=](UnitOptions& options, const std::string& text) -> Problem {
        options.*field = wholeNumber(text, lowest, highest);
        if (!(options.*field)) return std::string(range);
        return std::nullopt;
    };
}

const options::OptionTable<UnitOptions> kUnitOptions = {
    {.name = "--db",
     .value = "FILE.zat",
     .help = "database whose communication settings are used\n"
             "(default: export/import their DB.zat if it exists, else ./Default.zat)",
     .take = [](UnitOptions& options, const std::string& text) -> Problem {
         options.database = text;
         options.databaseGiven = true;
         return std::nullopt;
     },
     .completion = filesLike(".zat")},
    {.name = "--device",
     .value = "DEVICE",
     .help = "device to use instead of the port number's: a serial device\n"
             "(/dev/ttyUSB0), or a serial server: rfc2217://HOST:PORT\n"
             "(the server's port set from these settings) or tcp://HOST:PORT",
     .take = [](UnitOptions& options, const std::string& text) -> Problem {
         if (text.empty()) return "";
         if (!readDeviceName(text)) return " (a path, rfc2217://HOST:PORT or tcp://HOST:PORT)";
         options.device = text;
         return std::nullopt;
     },
     .completion = filesLike("")},
    {.name = "--port",
     .value = "N",
     .help = "COM port number: /dev/ttyS<N-1>, or the device named by $ZAT_COM<N>",
     .take = wholeIn(&UnitOptions::port, 1, 99, " (1..99)")},
    {.name = "--address",
     .value = "N",
     .help = "unit address, 0..99; export, verify and probe take a list\n"
             "(1,3,5-7) and serve each unit in turn",
     .take = [](UnitOptions& options, const std::string& text) -> Problem {
         NumberListParse list = parseAddressList(text);
         if (!list.ok()) return ": " + list.error;
         options.addresses = std::move(list.values);
         options.address.reset();
         if (options.addresses.size() == 1) options.address = options.addresses.front();
         return std::nullopt;
     }},
    {.name = "--baud",
     .value = "N",
     .help = "1200, 2400, 4800, 9600 or 19200",
     .take = [](UnitOptions& options, const std::string& text) -> Problem {
         options.baudRate = wholeNumber(text, 1, 1'000'000);
         if (!isCommsBaudRate(options.baudRate.value_or(0))) return " (1200, 2400, 4800, 9600 or 19200)";
         return std::nullopt;
     },
     .completion = oneOf("1200|2400|4800|9600|19200")},
    {.name = "--timeout-ms",
     .value = "N",
     .help = "reply timeout in milliseconds",
     .take = wholeIn<std::uint32_t>(&UnitOptions::timeoutMs, 1, 600'000, " (1..600000)")},
    {.name = "--retries",
     .value = "N",
     .help = "repeats of a request whose reply does not echo it",
     .take = wholeIn(&UnitOptions::retries, 0, 99, " (0..99)")},
    {.name = "--rs485",
     .help = "let the driver's RS-485 mode switch RTS",
     .take = options::setting(&UnitOptions::kernelRs485)},
};

}  // namespace

const options::OptionTable<UnitOptions>& unitOptionTable() { return kUnitOptions; }

std::string unitOptionsHelp() {
    return "Unit options (each overrides the database's setting for this run only):\n" +
           options::optionHelp(options::textsOf(kUnitOptions), 18) +
           "Settings taken from the database must pass the same checks (port 1..99, its\n"
           "time out 0.001..60 s); one that does not stops the command, exit status 2.\n";
}

std::string problemOf(const options::Taken& taken) {
    if (taken.status == options::Taken::Status::BadValue)
        return "bad value '" + taken.value + "' for " + taken.name + taken.problem;
    return taken.problem;
}

std::optional<std::string> takeUnitOptions(std::vector<std::string>& args, UnitOptions& options) {
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const options::Taken taken = options::takeOption(kUnitOptions, args, i, options);
        if (taken.status == options::Taken::Status::NotAnOption)
            rest.push_back(args[i]);
        else if (taken.status != options::Taken::Status::Taken)
            return problemOf(taken);
    }
    args = std::move(rest);
    return std::nullopt;
}

void applyOverrides(const UnitOptions& options, CommsSettings& settings) {
    if (options.port) settings.port = *options.port;
    if (options.address) settings.address = *options.address;
    if (options.baudRate) settings.baudRate = *options.baudRate;
    if (options.timeoutMs) settings.timeOut = *options.timeoutMs;
    if (options.retries) settings.retries = *options.retries;
}

CommsOverrides overridesOf(const UnitOptions& options) {
    // A device named outright makes the port number unused.
    return CommsOverrides{options.port.has_value() || options.device.has_value(), options.address.has_value(),
                          options.baudRate.has_value(), options.timeoutMs.has_value(), options.retries.has_value()};
}

LinkOptions linkOptions(const UnitOptions& options) {
    return LinkOptions{options.device.value_or(""), options.kernelRs485 ? RtsControl::KernelRs485 : RtsControl::Manual};
}

}  // namespace zat::cli
