// The rules of the Profile Editor: six setpoint profiles of eight segments,
// each a ramp rate, a target level and a dwell time, and a link to the
// profile that runs next. The editor shows and reads them as text; these
// rules turn the text into the record's numbers and back.
#pragma once

#include "editing/store_result.h"
#include "model/config_database.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zat {

constexpr int16_t kProfileRateEnd = -1;
constexpr int16_t kProfileRateStep = 0;
constexpr int kMaxProfileRate = 9999;
constexpr int kMaxProfileLevel = 9999;
constexpr int kMaxProfileDwell = 999;  // tenths of an hour
constexpr int kMaxProfileLink = kProfileCount - 1;
// Every rate, level, dwell and link edit takes five characters.
constexpr std::size_t kProfileEntryChars = 5;

// The editor's scales, held in single precision: a stored rate is digits per
// hour as shown, a stored dwell tenths of the hours shown.
constexpr float kRateScale = 1.0f;
constexpr float kDwellScale = 0.1f;

// "Profile 0".."Profile 5".
std::string profileTabTitle(int profile);

// "End", "Step", or the rate in digits per hour.
std::string rateText(int16_t rate);
std::string levelText(int16_t level);
// Hours, "%g": 15 shows as "1.5", 999 as "99.9".
std::string dwellText(int16_t dwell);

// The conversions back, each refused with its message box ("Error", the
// exclamation icon, no sound). Only the first five characters count.
// Rate: "end" or "step" in any case, or a decimal number -1..9999 kept
// whole (-0.5 and 0.9 are a step, 12.7 is 12). Empty text is a step.
FieldCheck<int16_t> readRate(std::string_view text, int segment);
// Level: the leading decimal integer, -9999..9999.
FieldCheck<int16_t> readLevel(std::string_view text, int segment);
// Dwell: a decimal number of hours 0..99.9, kept in whole tenths. Empty text is 0.
FieldCheck<int16_t> readDwell(std::string_view text, int segment);
// Link: kNoProfileLink when not linked, else the leading integer 0..5.
FieldCheck<int16_t> readLink(bool linked, std::string_view text);

struct ProfileSegmentPage {
    std::string rate{};
    std::string level{};
    std::string dwell{};

    friend bool operator==(const ProfileSegmentPage&, const ProfileSegmentPage&) = default;
};

// A profile as shown, and as the page gives it back to be stored.
struct ProfilePage {
    std::string comment{};  // UTF-8
    std::array<ProfileSegmentPage, kProfileSegmentCount> segments{};
    bool linked = false;  // "Link To Profile"
    std::string link{};   // empty when not linked

    friend bool operator==(const ProfilePage&, const ProfilePage&) = default;
};

ProfilePage loadProfile(const ConfigDatabase& db, int profile);

enum class ProfileField { Rate, Level, Dwell, Link };

// Stores segments 0..7 in order, rate, level and dwell in each, every value
// as soon as it passes; then the link and the comment. A refusal names the
// segment (its row) and field and stops the store: what passed before it
// stays stored, the link and the comment keep their old values. A complete
// store marks the database modified, and so does a refused one that changed
// the record on the way.
StoreResult<ProfileField> storeProfile(ConfigDatabase& db, int profile, const ProfilePage& page);

}  // namespace zat
