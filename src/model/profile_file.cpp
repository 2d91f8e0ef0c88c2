#include "model/profile_file.h"

#include <algorithm>

namespace zat {

FileResult readProfileFile(const std::string& path, ProfileDocument& doc) {
    std::string bytes;
    FileResult result = readWholeFile(path, bytes);
    if (result.ok) doc = ProfileDocument::parseOwned(std::move(bytes));
    return result;
}

FileResult readProfileForUpdate(const std::string& path, ProfileDocument& doc) {
    FileResult result = readProfileFile(path, doc);
    if (result.missing) {
        doc = ProfileDocument();
        result = FileResult{true, false, {}};
    }
    return result;
}

void reportUnableToWrite(Prompts& prompts, const std::string& path, const std::string& reason) {
    prompts.show("Unable to write file " + path + "\n" + reason, "Error", MessageIcon::Stop, MessageButtons::Ok);
}

void reportUnableToRead(Prompts& prompts, const std::string& path, const std::string& reason) {
    prompts.show(unableToReadMessage(path, reason), "Error", MessageIcon::Stop, MessageButtons::Ok);
}

std::string unableToReadMessage(const std::string& path, const std::string& reason) {
    return "Unable to read file " + path + "\n" + reason;
}

std::optional<std::int32_t> parseProfileIntWithin(std::string_view text, std::int32_t lowest, std::int32_t highest) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    // Beyond any 32-bit bound the exact size no longer matters, only that
    // it is too large; holding there keeps the sum from overflowing.
    constexpr std::int64_t kBeyond = std::int64_t{1} << 40;
    std::int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        magnitude = std::min(kBeyond, magnitude * 10 + (text[i] - '0'));
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < lowest || value > highest) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

}  // namespace zat
