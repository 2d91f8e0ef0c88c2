#include "printing/io_printout.h"

#include "editing/entry_text.h"

#include <cstddef>
#include <cstdio>

namespace zat {

namespace {

constexpr int kGridColumns = 20;
constexpr int kGapFraction = 50;  // the gap before a column's right neighbour
constexpr int kBodyLinesPerPage = 80;
constexpr int kHeadingLinesPerPage = 70;
constexpr int kRows = kDigitalOutputCount;  // the longest column
constexpr int kRowsPerGroup = 8;

}  // namespace

std::string ioListingTitle(const ConfigDatabase& db) { return " ZAT I/O Listing : " + db.fileName; }

TIOPrintout::TIOPrintout(PrintPage& page, const ConfigDatabase& db)
    : TTextPrintout(page, ioListingTitle(db)), db_(db) {}

int TIOPrintout::column(int k) const { return k * pageWidth() / kGridColumns; }

void TIOPrintout::printColumnHeadings() {
    setFont(true, pageHeight() / kHeadingLinesPerPage);
    setColumn(column(0));
    printText("#");
    setColumn(column(2));
    printText("A");
    setColumn(column(7));
    printText("B");
    setColumn(column(12));
    printText("C");
    setColumn(column(17));
    printLine("D");
    printLine("");
    printLine("");
    setFont(false, pageHeight() / kHeadingLinesPerPage);
}

void TIOPrintout::printPage() {
    printHeader();
    setFont(false, pageHeight() / kBodyLinesPerPage);
    const int gap = pageWidth() / kGapFraction;
    for (int n = 0; n < kRows; ++n) {
        const auto i = static_cast<std::size_t>(n);
        char number[8];
        std::snprintf(number, sizeof number, "%2d", n);
        setColumn(column(0));
        printText(number);
        if (n < kAnalogInputCount) {
            printClipped(column(1), column(6) - gap, commentText(db_.analogInputs[i].comment));
            printClipped(column(6), column(11) - gap, commentText(db_.analogOutputs[i].comment));
            printClipped(column(11), column(16) - gap, commentText(db_.digitalInputComments[i]));
        }
        printClipped(column(16), pageWidth(), commentText(db_.digitalOutputComments[i]));
        if (n % kRowsPerGroup == kRowsPerGroup - 1) printLine("");
        printLine("");
    }
}

}  // namespace zat
