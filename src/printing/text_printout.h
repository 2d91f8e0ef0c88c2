// The line printer under every report: text lines top to bottom, a bold
// header with the title and "Page %3d" on every page, and page breaks taken
// by itself. A report derives from it, gives its column headings and draws
// all its lines in printPage.
#pragma once

#include "printing/print_page.h"

#include <string>
#include <string_view>

namespace zat {

class TTextPrintout {
public:
    TTextPrintout(PrintPage& page, std::string title);
    virtual ~TTextPrintout() = default;
    TTextPrintout(const TTextPrintout&) = delete;
    TTextPrintout& operator=(const TTextPrintout&) = delete;

    // Draws the whole report.
    virtual void printPage() = 0;

    // The header and headings leave no room for a line below them: nothing
    // more is drawn, since every further page would be the same.
    bool pageTooSmall() const { return pageTooSmall_; }

protected:
    // Run inside every page's header, below the title.
    virtual void printColumnHeadings() {}

    // Height 0 is the default, pageHeight / 60.
    void setFont(bool bold, int height);
    void setColumn(int x) { currentX_ = x; }
    // At the current column; the column moves on by the text's width.
    void printText(std::string_view text);
    // Ends the line: the text at the current column, then the next line at
    // the left margin.
    void printLine(std::string_view text);
    void printHeader();
    // Text cut off at the columns `left` and `right`, one line high.
    void printClipped(int left, int right, std::string_view text);
    // A picture one line high at the current column.
    void printPicture(PrintPicture picture);

    int pageWidth() const { return page_.width(); }
    int pageHeight() const { return page_.height(); }

private:
    PrintFont font() const { return PrintFont{bold_, lineHeight_}; }
    bool lineFits() const;
    // Called before anything of a line is drawn. The page breaks here, when
    // the line is really printed, so a report whose last line fills a page
    // ends there instead of on a page holding only the header. The line keeps
    // its column and font across the break. False when nothing may be drawn.
    bool startLine();
    void breakPage();

    PrintPage& page_;
    std::string title_;
    static constexpr int kLeftMargin = 10;
    static constexpr int kTopY = 0;

    int currentX_ = kLeftMargin;
    int currentY_ = 0;
    int pageNumber_ = 1;
    int lineHeight_ = 0;
    bool bold_ = false;
    bool inHeader_ = false;     // the header never breaks the page: it would recurse
    bool linesOnPage_ = false;  // a line was drawn below this page's header
    bool pageTooSmall_ = false;
};

}  // namespace zat
