// The options every command that talks to the unit takes: which database's
// communication settings to use, and overrides of them for this run only.
#pragma once

#include "comms/comms_entries.h"
#include "comms/unit_link.h"
#include "model/config_database.h"
#include "options/option_table.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zat::cli {

struct UnitOptions {
    std::string database = "Default.zat";
    bool databaseGiven = false;  // --db was used
    std::optional<std::string> device;
    std::optional<int> port;
    std::optional<int> address;  // when one address is given
    std::vector<int> addresses;  // every address given (export, verify and probe take several)
    std::optional<int> baudRate;
    std::optional<std::uint32_t> timeoutMs;
    std::optional<int> retries;
    bool kernelRs485 = false;
};

// `text` as a whole number in lowest..highest; none for anything else.
template <typename Number>
std::optional<Number> wholeNumber(const std::string& text, Number lowest, Number highest) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (value < lowest || value > highest) return std::nullopt;
    return value;
}

// The unit options, one row each.
const options::OptionTable<UnitOptions>& unitOptionTable();

// The one-line explanation of an option taken wrong: "--port needs a value",
// "bad value 'x' for --port (1..99)".
std::string problemOf(const options::Taken& taken);

// Removes the unit options from args, leaving the command's own words.
// Returns a one-line explanation when an option or its value is wrong.
std::optional<std::string> takeUnitOptions(std::vector<std::string>& args, UnitOptions& options);

// The settings of this run: the database's, with the options' overrides.
void applyOverrides(const UnitOptions& options, CommsSettings& settings);
// The settings the options replace, whose file values are then not checked.
CommsOverrides overridesOf(const UnitOptions& options);
LinkOptions linkOptions(const UnitOptions& options);

// The help that describes these options.
std::string unitOptionsHelp();

}  // namespace zat::cli
