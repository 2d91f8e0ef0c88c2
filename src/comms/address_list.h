// Lists of unit addresses ("1,3,5-7") and of baud rates ("9600,19200",
// "all"), checked whole before anything is sent.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zat {

struct NumberListParse {
    std::vector<int> values;  // in the order given
    std::string error;        // empty when the whole list is good; else names the bad entry

    bool ok() const { return error.empty(); }
};

// Addresses 0..99 as single numbers and ranges "5-7", comma separated, each
// address at most once.
NumberListParse parseAddressList(std::string_view text);

// Baud rates the unit runs at, comma separated, each at most once; "all" is
// every rate from the fastest down.
NumberListParse parseBaudList(std::string_view text);

// The rates the unit runs at, fastest first.
const std::vector<int>& unitBaudRates();

}  // namespace zat
