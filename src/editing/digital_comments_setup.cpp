#include "editing/digital_comments_setup.h"

#include "editing/entry_text.h"
#include "model/register_ref.h"

#include <span>

namespace zat {

namespace {

constexpr DigitalCommentLayout kInputLayout{
    .channelCount = kDigitalInputCount,
    .tabCount = kDigitalInputCount / kDigitalCommentGroupSize,
    .letter = 'C',
    .caption = "Digital Input Setup",
    .groupTitle = "Digital Input Channels",
    .helpContext = 205,
};
constexpr DigitalCommentLayout kOutputLayout{
    .channelCount = kDigitalOutputCount,
    .tabCount = kDigitalOutputCount / kDigitalCommentGroupSize,
    .letter = 'D',
    .caption = "Digital Output Setup",
    .groupTitle = "Digital Output Channels",
    .helpContext = 206,
};

// Tabs past the five card slots are named by their channels.

std::span<Comment> comments(ConfigDatabase& db, DigitalMode mode) {
    if (mode == DigitalMode::Inputs) return db.digitalInputComments;
    return db.digitalOutputComments;
}

std::span<const Comment> comments(const ConfigDatabase& db, DigitalMode mode) {
    if (mode == DigitalMode::Inputs) return db.digitalInputComments;
    return db.digitalOutputComments;
}

}  // namespace

const DigitalCommentLayout& digitalCommentLayout(DigitalMode mode) {
    return mode == DigitalMode::Inputs ? kInputLayout : kOutputLayout;
}

std::string digitalCommentTabTitle(int tab) {
    if (tab < kSlotCount) return "Slot " + std::to_string(tab + 1);
    const int first = digitalCommentChannel(tab, 0);
    return std::to_string(first) + "-" + std::to_string(first + kDigitalCommentRowCount - 1);
}

int digitalCommentChannel(int tab, int row) { return tab * kDigitalCommentRowCount + row; }

DigitalCommentPage loadDigitalCommentPage(const ConfigDatabase& db, DigitalMode mode, int tab) {
    const std::span<const Comment> all = comments(db, mode);
    DigitalCommentPage rows;
    for (int r = 0; r < kDigitalCommentRowCount; ++r) {
        const int channel = digitalCommentChannel(tab, r);
        rows[static_cast<std::size_t>(r)] = {
            channelLabel(digitalCommentLayout(mode).letter, channel),
            commentText(all[static_cast<std::size_t>(channel)]),
        };
    }
    return rows;
}

void storeDigitalCommentPage(ConfigDatabase& db, DigitalMode mode, int tab, const DigitalCommentPage& rows) {
    const std::span<Comment> all = comments(db, mode);
    for (int r = 0; r < kDigitalCommentRowCount; ++r)
        all[static_cast<std::size_t>(digitalCommentChannel(tab, r))] =
            commentFromText(rows[static_cast<std::size_t>(r)].comment);
}

}  // namespace zat
