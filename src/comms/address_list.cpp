#include "comms/address_list.h"

#include "comms/comms_entries.h"

#include <algorithm>
#include <charconv>
#include <functional>

namespace zat {
namespace {

bool whole(std::string_view text, int& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

std::string quoted(std::string_view entry) { return "'" + std::string(entry) + "'"; }

// Splits at commas; an empty entry is an error, so is an empty list.
NumberListParse eachEntry(std::string_view text, const char* what,
                          const std::function<std::string(std::string_view, std::vector<int>&)>& take) {
    NumberListParse result;
    if (text.empty()) {
        result.error = std::string("no ") + what + " given";
        return result;
    }
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        const std::string_view entry = text.substr(start, comma == std::string_view::npos ? text.npos : comma - start);
        if (entry.empty()) {
            result.error = std::string("an empty entry in the ") + what + " " + quoted(text);
            return result;
        }
        std::vector<int> values;
        if (std::string problem = take(entry, values); !problem.empty()) {
            result.error = std::move(problem);
            return result;
        }
        for (int value : values) {
            if (std::find(result.values.begin(), result.values.end(), value) != result.values.end()) {
                result.error = std::to_string(value) + " is in the " + what + " twice";
                return result;
            }
            result.values.push_back(value);
        }
        if (comma == std::string_view::npos) return result;
        start = comma + 1;
    }
}

}  // namespace

NumberListParse parseAddressList(std::string_view text) {
    return eachEntry(text, "addresses", [](std::string_view entry, std::vector<int>& values) -> std::string {
        const std::size_t dash = entry.find('-');
        int first = 0;
        int last = 0;
        const bool read = dash == std::string_view::npos
                              ? whole(entry, first) && whole(entry, last)
                              : whole(entry.substr(0, dash), first) && whole(entry.substr(dash + 1), last);
        if (!read || first < 0 || last > kMaxCommsAddress)
            return quoted(entry) + " is not an address or a range of them (0..99)";
        if (first > last) return quoted(entry) + " runs backwards";
        for (int a = first; a <= last; ++a) values.push_back(a);
        return {};
    });
}

NumberListParse parseBaudList(std::string_view text) {
    if (text == "all") return NumberListParse{.values = unitBaudRates(), .error = {}};
    return eachEntry(text, "baud rates", [](std::string_view entry, std::vector<int>& values) -> std::string {
        int rate = 0;
        if (!whole(entry, rate) || !isCommsBaudRate(rate))
            return quoted(entry) + " is not a baud rate (1200, 2400, 4800, 9600, 19200 or all)";
        values.push_back(rate);
        return {};
    });
}

const std::vector<int>& unitBaudRates() {
    static const std::vector<int> rates{19200, 9600, 4800, 2400, 1200};
    return rates;
}

}  // namespace zat
