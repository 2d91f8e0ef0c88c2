#include "printing/text_printout.h"

#include <cstdio>
#include <utility>

namespace zat {

namespace {

constexpr int kDefaultLinesPerPage = 60;

std::string pageLabel(int number) {
    char text[32];
    std::snprintf(text, sizeof text, "Page %3d", number);
    return text;
}

}  // namespace

TTextPrintout::TTextPrintout(PrintPage& page, std::string title) : page_(page), title_(std::move(title)) {}

void TTextPrintout::setFont(bool bold, int height) {
    lineHeight_ = height != 0 ? height : pageHeight() / kDefaultLinesPerPage;
    bold_ = bold;
}

bool TTextPrintout::lineFits() const { return currentY_ < pageHeight() && currentY_ + lineHeight_ < pageHeight(); }

bool TTextPrintout::startLine() {
    if (pageTooSmall_) return false;
    if (inHeader_ || lineFits()) {
        linesOnPage_ = linesOnPage_ || !inHeader_;
        return true;
    }
    // A fresh page would leave no more room than this one.
    if (linesOnPage_) {
        breakPage();
        if (lineFits()) {
            linesOnPage_ = true;
            return true;
        }
    }
    pageTooSmall_ = true;
    return false;
}

void TTextPrintout::breakPage() {
    const int column = currentX_;
    const PrintFont lineFont = font();
    page_.newPage();
    currentX_ = kLeftMargin;
    ++pageNumber_;
    linesOnPage_ = false;
    printHeader();
    currentX_ = column;
    bold_ = lineFont.bold;
    lineHeight_ = lineFont.height;
}

void TTextPrintout::printText(std::string_view text) {
    if (!startLine()) return;
    page_.drawText(font(), currentX_, currentY_, text);
    currentX_ += page_.textWidth(font(), text);
}

void TTextPrintout::printLine(std::string_view text) {
    if (lineHeight_ < 1) lineHeight_ = page_.textHeight(font(), "M");
    if (!startLine()) return;
    page_.drawText(font(), currentX_, currentY_, text);
    currentY_ += lineHeight_;
    currentX_ = kLeftMargin;
}

void TTextPrintout::printHeader() {
    inHeader_ = true;
    const bool wasBold = bold_;
    setFont(true, 0);
    currentY_ = kTopY;
    const std::string titleText = title_ + " ";
    page_.drawText(font(), kLeftMargin, currentY_, titleText);
    const int h = page_.textHeight(font(), titleText);
    page_.drawRightAlignedText(font(), pageWidth(), currentY_, pageLabel(pageNumber_));
    currentY_ += 2 * h;
    printColumnHeadings();
    setFont(wasBold, 0);
    inHeader_ = false;
    if (currentY_ > pageHeight()) pageTooSmall_ = true;
}

void TTextPrintout::printClipped(int left, int right, std::string_view text) {
    if (!startLine()) return;
    page_.drawClippedText(font(), PrintRect{left, currentY_, right, currentY_ + lineHeight_}, text);
}

void TTextPrintout::printPicture(PrintPicture picture) {
    if (!startLine()) return;
    page_.drawPicture(picture, currentX_, currentY_, lineHeight_);
}

}  // namespace zat
