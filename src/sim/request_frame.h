// A request split into its fields, by the item table of the current page.
#pragma once

#include "sim/item_table.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace zat::sim {

enum class RequestKind { Command, Write, Read };

struct RequestFrame {
    RequestKind kind;
    int address;
    char letter;
    const ItemInfo* item;  // nullptr for commands
    int index;             // 0 for items without an index
    std::int32_t value;    // writes only
};

// Nothing for a malformed request: unknown kind, a non-digit address or
// index, a letter that names no item on this page, a value in the wrong
// form, fields missing or characters left over. Ranges are not checked here.
std::optional<RequestFrame> parseFrame(std::string_view request, int page);

}  // namespace zat::sim
