#include "sim/request_frame.h"

#include "sim/wire_text.h"

namespace zat::sim {

namespace {

std::optional<RequestKind> kindOf(char c) {
    switch (c) {
        case 'S':
            return RequestKind::Command;
        case 'W':
            return RequestKind::Write;
        case 'R':
            return RequestKind::Read;
        default:
            return std::nullopt;
    }
}

}  // namespace

std::optional<RequestFrame> parseFrame(std::string_view request, int page) {
    if (request.size() < 4) return std::nullopt;
    const std::optional<RequestKind> kind = kindOf(request[0]);
    const std::optional<int> address = parseDigits(request.substr(1, 2));
    const char letter = request[3];
    if (!kind || !address || !isItemLetter(letter)) return std::nullopt;

    RequestFrame frame{.kind = *kind, .address = *address, .letter = letter, .item = nullptr, .index = 0, .value = 0};
    if (*kind == RequestKind::Command) {
        if (request.size() != 4) return std::nullopt;
        return frame;
    }

    frame.item = findItem(page, letter);
    if (frame.item == nullptr) return std::nullopt;
    std::string_view rest = request.substr(4);
    if (frame.item->count > 0) {
        const std::optional<int> index = rest.size() >= 2 ? parseDigits(rest.substr(0, 2)) : std::nullopt;
        if (!index) return std::nullopt;
        frame.index = *index;
        rest.remove_prefix(2);
    }
    if (*kind == RequestKind::Read) {
        if (!rest.empty()) return std::nullopt;
        return frame;
    }
    if (frame.item->format == ItemFormat::Hex) {
        const std::optional<std::uint16_t> value = parseHexWord(rest);
        if (!value) return std::nullopt;
        frame.value = *value;
    } else {
        const std::optional<std::int32_t> value = parseDecimalValue(rest);
        if (!value) return std::nullopt;
        frame.value = *value;
    }
    return frame;
}

}  // namespace zat::sim
