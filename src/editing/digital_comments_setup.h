// The rules of the digital comment editor, one dialog in two modes: the 40
// digital input comments (C00..C39) or the 56 digital output comments
// (D00..D55), eight to a tab.
#pragma once

#include "model/config_database.h"

#include <array>
#include <string>

namespace zat {

enum class DigitalMode { Inputs, Outputs };

constexpr int kDigitalCommentRowCount = kDigitalCommentGroupSize;

// What the mode changes in the dialog.
struct DigitalCommentLayout {
    int channelCount;
    int tabCount;
    char letter;  // of the row labels
    const char* caption;
    const char* groupTitle;
    int helpContext;
};

const DigitalCommentLayout& digitalCommentLayout(DigitalMode mode);

// "Slot 1".."Slot 5", then (outputs only) "40-47" and "48-55".
std::string digitalCommentTabTitle(int tab);

// Tab t shows channels 8t..8t+7; row r is channel 8t + r.
int digitalCommentChannel(int tab, int row);

struct DigitalCommentRow {
    std::string label{};    // "C00", "D55"; ignored when storing
    std::string comment{};  // UTF-8

    friend bool operator==(const DigitalCommentRow&, const DigitalCommentRow&) = default;
};

using DigitalCommentPage = std::array<DigitalCommentRow, kDigitalCommentRowCount>;

DigitalCommentPage loadDigitalCommentPage(const ConfigDatabase& db, DigitalMode mode, int tab);

// Nothing on this page can be refused.
void storeDigitalCommentPage(ConfigDatabase& db, DigitalMode mode, int tab, const DigitalCommentPage& rows);

}  // namespace zat
