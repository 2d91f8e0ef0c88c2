#include "editing/profile_edit.h"

#include "editing/entry_text.h"

#include <charconv>
#include <optional>
#include <system_error>

namespace zat {

namespace {

using Result = StoreResult<ProfileField>;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalsIgnoringCase(std::string_view text, std::string_view word) {
    if (text.size() != word.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (lower(text[i]) != word[i]) return false;
    }
    return true;
}

std::string_view firstChars(std::string_view text) { return text.substr(0, kProfileEntryChars); }

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// "%g" without the locale: six significant digits, no trailing zeros.
std::string shortest(float value) {
    char buffer[32];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value), std::chars_format::general, 6);
    return error == std::errc{} ? std::string(buffer, end) : std::string("0");
}

// A real number typed as decimal text only: blanks around an optional sign,
// digits and at most one point, with at least one digit. Empty text is 0.
// Anything else ("nan", "inf", "0x1F", "1e3", "2h") is no number.
std::optional<double> decimalNumber(std::string_view text) {
    text = trimmed(text);
    if (text.empty()) return 0.0;
    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int digits = 0;
    int points = 0;
    for (char c : text) {
        if (isDigit(c))
            ++digits;
        else if (c == '.')
            ++points;
        else
            return std::nullopt;
    }
    if (digits == 0 || points > 1) return std::nullopt;
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return negative ? -value : value;
}

// The number divided by its scale, rounded to single precision as the
// editor holds it. A double 0.1 would make 0.3 hours 2.9999... tenths.
std::optional<float> scaled(std::string_view text, float scale) {
    const std::optional<double> number = decimalNumber(text);
    if (!number) return std::nullopt;
    return static_cast<float>(*number / static_cast<double>(scale));
}

bool within(float value, float lowest, float highest) { return value >= lowest && value <= highest; }

FieldMessage errorBox(std::string text) {
    return FieldMessage{std::move(text), "Error", MessageIcon::Exclamation, FieldMessage::Sound::None};
}

FieldMessage segmentMessage(int segment, const char* field, const std::string& valid) {
    return errorBox("Illegal entry on segment " + std::to_string(segment) + " " + field + "\n Valid entries are " +
                    valid);
}

}  // namespace

std::string profileTabTitle(int profile) { return "Profile " + std::to_string(profile); }

std::string rateText(int16_t rate) {
    if (rate == kProfileRateStep) return "Step";
    if (rate == kProfileRateEnd) return "End";
    return shortest(static_cast<float>(rate) * kRateScale);
}

std::string levelText(int16_t level) { return std::to_string(level); }

std::string dwellText(int16_t dwell) { return shortest(static_cast<float>(dwell) * kDwellScale); }

FieldCheck<int16_t> readRate(std::string_view text, int segment) {
    text = firstChars(text);
    if (equalsIgnoringCase(text, "end")) return FieldCheck<int16_t>::accept(kProfileRateEnd);
    if (equalsIgnoringCase(text, "step")) return FieldCheck<int16_t>::accept(kProfileRateStep);
    const std::optional<float> rate = scaled(text, kRateScale);
    if (!rate || !within(*rate, kProfileRateEnd, static_cast<float>(kMaxProfileRate))) {
        return FieldCheck<int16_t>::refuse(segmentMessage(
            segment, "Rate", "end, step or 0 to " + shortest(static_cast<float>(kMaxProfileRate) * kRateScale)));
    }
    return FieldCheck<int16_t>::accept(static_cast<int16_t>(*rate));  // toward zero
}

FieldCheck<int16_t> readLevel(std::string_view text, int segment) {
    const int32_t level = readLeadingInteger(firstChars(text));
    if (!(level >= -kMaxProfileLevel && level <= kMaxProfileLevel)) {
        return FieldCheck<int16_t>::refuse(segmentMessage(segment, "Level", "-9999 to +9999"));
    }
    return FieldCheck<int16_t>::accept(static_cast<int16_t>(level));
}

FieldCheck<int16_t> readDwell(std::string_view text, int segment) {
    const std::optional<float> dwell = scaled(firstChars(text), kDwellScale);
    if (!dwell || !within(*dwell, 0.0f, static_cast<float>(kMaxProfileDwell))) {
        return FieldCheck<int16_t>::refuse(
            segmentMessage(segment, "Dwell", "0 to " + shortest(static_cast<float>(kMaxProfileDwell) * kDwellScale)));
    }
    return FieldCheck<int16_t>::accept(static_cast<int16_t>(*dwell));  // toward zero
}

FieldCheck<int16_t> readLink(bool linked, std::string_view text) {
    if (!linked) return FieldCheck<int16_t>::accept(kNoProfileLink);
    const int32_t link = readLeadingInteger(firstChars(text));
    if (!(link >= 0 && link <= kMaxProfileLink)) {
        return FieldCheck<int16_t>::refuse(
            errorBox("Illegal entry on profile Link\n Valid entries are 0 to " + std::to_string(kMaxProfileLink)));
    }
    return FieldCheck<int16_t>::accept(static_cast<int16_t>(link));
}

ProfilePage loadProfile(const ConfigDatabase& db, int profile) {
    const TProfile& record = db.profiles[static_cast<std::size_t>(profile)];
    ProfilePage page;
    page.comment = commentText(record.comment);
    for (std::size_t i = 0; i < page.segments.size(); ++i) {
        page.segments[i] = {rateText(record.segRate[i]), levelText(record.segLevel[i]), dwellText(record.segDwell[i])};
    }
    page.linked = record.link >= 0;
    if (page.linked) page.link = std::to_string(record.link);
    return page;
}

Result storeProfile(ConfigDatabase& db, int profile, const ProfilePage& page) {
    TProfile& record = db.profiles[static_cast<std::size_t>(profile)];
    const TProfile before = record;
    // What passed stays stored; when that changed the record, the database
    // is modified even though the page was refused.
    const auto refuse = [&](int row, ProfileField field, const FieldMessage& message) {
        if (record != before) db.markModified();
        return Result::refuse(row, field, message);
    };

    for (int i = 0; i < kProfileSegmentCount; ++i) {
        const auto s = static_cast<std::size_t>(i);
        const ProfileSegmentPage& typed = page.segments[s];
        const FieldCheck<int16_t> rate = readRate(typed.rate, i);
        if (!rate) return refuse(i, ProfileField::Rate, rate.message());
        record.segRate[s] = *rate;
        const FieldCheck<int16_t> level = readLevel(typed.level, i);
        if (!level) return refuse(i, ProfileField::Level, level.message());
        record.segLevel[s] = *level;
        const FieldCheck<int16_t> dwell = readDwell(typed.dwell, i);
        if (!dwell) return refuse(i, ProfileField::Dwell, dwell.message());
        record.segDwell[s] = *dwell;
    }
    const FieldCheck<int16_t> link = readLink(page.linked, page.link);
    if (!link) return refuse(0, ProfileField::Link, link.message());
    record.link = *link;
    record.comment = commentFromText(page.comment);
    db.markModified();
    return Result::accept();
}

}  // namespace zat
