#include "sim/plant_setup.h"

#include <array>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace zat::sim {

namespace {

constexpr std::uint16_t kEnabled = 0x80;
constexpr int kProfilerCount = 6;

struct KeyItem {
    const char* key;
    char letter;
};

// Page 1 items by key, per controller and per profiler.
constexpr std::array kControllerKeys{
    KeyItem{"Flags", 'a'},    KeyItem{"MV REGISTER", 'b'}, KeyItem{"SP REGISTER", 'c'}, KeyItem{"OP REGISTER", 'd'},
    KeyItem{"TP Cycle", 'e'}, KeyItem{"PROP BAND", 'J'},   KeyItem{"INT TIME", 'K'},    KeyItem{"DER TIME", 'L'},
};
constexpr std::array kProfilerKeys{
    KeyItem{"Flags", 'g'},          KeyItem{"MV REGISTER", 'i'},    KeyItem{"OP REGISTER", 'j'},
    KeyItem{"START REGISTER", 'k'}, KeyItem{"STOP REGISTER", 'l'},  KeyItem{"HOLD REGISTER", 'm'},
    KeyItem{"LOCAL REGISTER", 'n'}, KeyItem{"RUN REGISTER", 'o'},   KeyItem{"UP REGISTER", 'p'},
    KeyItem{"DOWN REGISTER", 'q'},  KeyItem{"DWELL REGISTER", 'r'}, KeyItem{"PROFILE REGISTER", 's'},
};

// Page 0 items by key: analog input types and physical output ranges, so
// the monitors read the plant's own ranges.
constexpr std::array kAnalogInputKeys{KeyItem{"Type", 'a'}};
constexpr std::array kAnalogOutputKeys{
    KeyItem{"From", 'd'},
    KeyItem{"To", 'e'},
    KeyItem{"Bias", 'f'},
    KeyItem{"Flags", 'g'},
};
constexpr int kPhysicalOutputs = 20;

std::string_view trim(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
    return text;
}

bool sameKey(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

std::optional<long> wholeNumber(std::string_view text) {
    const std::string copy(text);
    if (copy.empty()) return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(copy.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value < -32768 || value > 65535) return std::nullopt;
    return value;
}

// "[Controller 3]" gives kind "Controller", number 3.
struct Section {
    std::string kind;
    int number = -1;
};

Section parseSection(std::string_view line) {
    line = trim(line.substr(1, line.size() - 2));
    const std::size_t space = line.rfind(' ');
    if (space == std::string_view::npos) return {std::string(line), -1};
    const std::optional<long> number = wholeNumber(line.substr(space + 1));
    return {std::string(trim(line.substr(0, space))), number ? static_cast<int>(*number) : -1};
}

// A profile's key: "SegNN Rate" / "Level" / "Dwell" or "link".
std::optional<std::pair<char, int>> profileItem(std::string_view key) {
    if (sameKey(key, "link")) return std::pair{'U', 0};
    if (key.size() < 7 || !sameKey(key.substr(0, 3), "Seg") || key[5] != ' ') return std::nullopt;
    const std::optional<long> segment = wholeNumber(key.substr(3, 2));
    if (!segment || *segment < 0 || *segment > 7) return std::nullopt;
    const std::string_view field = key.substr(6);
    const int index = static_cast<int>(*segment);
    if (sameKey(field, "Rate")) return std::pair{'O', index};
    if (sameKey(field, "Level")) return std::pair{'P', index};
    if (sameKey(field, "Dwell")) return std::pair{'Q', index};
    return std::nullopt;
}

template <std::size_t N>
std::optional<char> letterFor(const std::array<KeyItem, N>& keys, std::string_view key) {
    for (const KeyItem& entry : keys) {
        if (sameKey(entry.key, key)) return entry.letter;
    }
    return std::nullopt;
}

}  // namespace

int loadPlantSetup(std::string_view databaseText, UnitState& unit) {
    const int profileBefore = unit.selectedProfile();
    int stored = 0;
    Section section;
    while (!databaseText.empty()) {
        const std::size_t end = databaseText.find('\n');
        const std::string_view line = trim(databaseText.substr(0, end));
        databaseText.remove_prefix(end == std::string_view::npos ? databaseText.size() : end + 1);
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            section = parseSection(line);
            if (section.kind == "Profile" && section.number >= 0 && section.number < kProfilerCount) {
                unit.setValue('N', 0, static_cast<std::int16_t>(section.number));
            }
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos || section.number < 0) continue;
        const std::string_view key = trim(line.substr(0, equals));
        const std::optional<long> value = wholeNumber(trim(line.substr(equals + 1)));
        if (!value) continue;
        const auto word = static_cast<std::uint16_t>(*value);

        std::optional<std::pair<char, int>> item;
        int page = 1;
        if (section.kind == "Analog Input") {
            page = 0;
            if (const auto letter = letterFor(kAnalogInputKeys, key)) item = std::pair{*letter, section.number};
        } else if (section.kind == "Output" && section.number < kPhysicalOutputs) {
            page = 0;
            if (const auto letter = letterFor(kAnalogOutputKeys, key)) item = std::pair{*letter, section.number};
        } else if (section.kind == "Controller") {
            if (const auto letter = letterFor(kControllerKeys, key)) item = std::pair{*letter, section.number};
        } else if (section.kind == "Profiler") {
            if (const auto letter = letterFor(kProfilerKeys, key)) item = std::pair{*letter, section.number};
        } else if (section.kind == "Profile" && section.number < kProfilerCount) {
            item = profileItem(key);
        }
        if (item && unit.setItem(page, item->first, item->second, word)) ++stored;
    }
    unit.setValue('N', 0, static_cast<std::int16_t>(profileBefore));
    return stored;
}

void startEnabledProfilers(UnitState& unit) {
    const int profileBefore = unit.selectedProfile();
    char start[8];
    std::snprintf(start, sizeof start, "S%02dS", unit.config().address);
    for (int profiler = 0; profiler < kProfilerCount; ++profiler) {
        const std::optional<std::uint16_t> flags = unit.item(1, 'g', profiler);
        if (!flags || (*flags & kEnabled) == 0) continue;
        unit.setValue('N', 0, static_cast<std::int16_t>(profiler));
        unit.handle(start);
    }
    unit.setValue('N', 0, static_cast<std::int16_t>(profileBefore));
}

}  // namespace zat::sim
