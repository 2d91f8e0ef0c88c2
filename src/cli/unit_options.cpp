#include "cli/unit_options.h"

#include "comms/address_list.h"
#include "comms/comms_entries.h"
#include "comms/device_name.h"

namespace zat::cli {

const char* const kUnitOptionsHelp =
    "Unit options (each overrides the database's setting for this run only):\n"
    "  --db FILE.zat     database whose communication settings are used\n"
    "                    (default: export/import their DB.zat if it exists, else ./Default.zat)\n"
    "  --device DEVICE   device to use instead of the port number's: a serial device\n"
    "                    (/dev/ttyUSB0), or a serial server: rfc2217://HOST:PORT\n"
    "                    (the server's port set from these settings) or tcp://HOST:PORT\n"
    "  --port N          COM port number: /dev/ttyS<N-1>, or the device named by $ZAT_COM<N>\n"
    "  --address N       unit address, 0..99; export, verify and probe take a list\n"
    "                    (1,3,5-7) and serve each unit in turn\n"
    "  --baud N          1200, 2400, 4800, 9600 or 19200\n"
    "  --timeout-ms N    reply timeout in milliseconds\n"
    "  --retries N       repeats of a request whose reply does not echo it\n"
    "  --rs485           let the driver's RS-485 mode switch RTS\n"
    "Settings taken from the database must pass the same checks (port 1..99, its\n"
    "time out 0.001..60 s); one that does not stops the command, exit status 2.\n";

std::optional<std::string> takeUnitOptions(std::vector<std::string>& args, UnitOptions& options) {
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--rs485") {
            options.kernelRs485 = true;
            continue;
        }
        const bool takesValue = arg == "--db" || arg == "--device" || arg == "--port" || arg == "--address" ||
                                arg == "--baud" || arg == "--timeout-ms" || arg == "--retries";
        if (!takesValue) {
            rest.push_back(arg);
            continue;
        }
        if (i + 1 >= args.size()) return arg + " needs a value";
        const std::string& value = args[++i];
        const std::string bad = "bad value '" + value + "' for " + arg;
        if (arg == "--db") {
            options.database = value;
            options.databaseGiven = true;
        } else if (arg == "--device") {
            if (value.empty()) return bad;
            if (!readDeviceName(value)) return bad + " (a path, rfc2217://HOST:PORT or tcp://HOST:PORT)";
            options.device = value;
        } else if (arg == "--port") {
            if (!(options.port = wholeNumber(value, 1, 99))) return bad + " (1..99)";
        } else if (arg == "--address") {
            NumberListParse list = parseAddressList(value);
            if (!list.ok()) return bad + ": " + list.error;
            options.addresses = std::move(list.values);
            options.address.reset();
            if (options.addresses.size() == 1) options.address = options.addresses.front();
        } else if (arg == "--baud") {
            options.baudRate = wholeNumber(value, 1, 1'000'000);
            if (!isCommsBaudRate(options.baudRate.value_or(0))) return bad + " (1200, 2400, 4800, 9600 or 19200)";
        } else if (arg == "--timeout-ms") {
            if (!(options.timeoutMs = wholeNumber<std::uint32_t>(value, 1, 600'000))) return bad + " (1..600000)";
        } else if (arg == "--retries") {
            if (!(options.retries = wholeNumber(value, 0, 99))) return bad + " (0..99)";
        }
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
