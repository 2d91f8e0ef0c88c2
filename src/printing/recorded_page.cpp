#include "printing/recorded_page.h"

#include <algorithm>
#include <map>

namespace zat {

namespace {

int characterCount(std::string_view utf8) {
    int count = 0;
    for (const char c : utf8)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    return count;
}

}  // namespace

int RecordedPage::textWidth(const PrintFont& font, std::string_view text) const {
    return characterCount(text) * font.height / 2;
}

int RecordedPage::textHeight(const PrintFont& font, std::string_view) const {
    return std::max(font.height, smallestFont_);
}

void RecordedPage::drawText(const PrintFont& font, int x, int y, std::string_view text) {
    draws_.push_back(
        {.kind = PageDraw::Kind::Text, .page = pages_, .font = font, .x = x, .y = y, .text = std::string(text)});
}

void RecordedPage::drawClippedText(const PrintFont& font, const PrintRect& rect, std::string_view text) {
    draws_.push_back({.kind = PageDraw::Kind::Clipped,
                      .page = pages_,
                      .font = font,
                      .x = rect.left,
                      .y = rect.top,
                      .clip = rect,
                      .text = std::string(text)});
}

void RecordedPage::drawRightAlignedText(const PrintFont& font, int right, int y, std::string_view text) {
    draws_.push_back({.kind = PageDraw::Kind::RightAligned,
                      .page = pages_,
                      .font = font,
                      .x = right,
                      .y = y,
                      .text = std::string(text)});
}

void RecordedPage::drawPicture(PrintPicture picture, int x, int y, int size) {
    draws_.push_back(
        {.kind = PageDraw::Kind::Picture, .page = pages_, .x = x, .y = y, .picture = picture, .size = size});
}

std::string listingText(const RecordedPage& page) {
    std::string text;
    for (int number = 1; number <= page.pageCount(); ++number) {
        if (number > 1) text += "\f\n";
        std::map<int, std::vector<std::string>> lines;  // by y
        for (const PageDraw& draw : page.draws())
            if (draw.page == number && draw.kind != PageDraw::Kind::Picture) lines[draw.y].push_back(draw.text);
        for (auto& [y, cells] : lines) {
            while (cells.size() > 1 && cells.back().empty()) cells.pop_back();
            for (std::size_t i = 0; i < cells.size(); ++i) text += (i == 0 ? "" : "\t") + cells[i];
            text += "\n";
        }
    }
    return text;
}

}  // namespace zat
