#include "printing/if_printout.h"

#include "editing/if_blocks.h"

namespace zat {

namespace {

constexpr int kStops = 20;
constexpr int kHeadingLinesPerPage = 70;
constexpr int kBlockLinesPerPage = 90;
constexpr int kPictureFraction = 60;  // the picture at w / 60, the word at w / 30
constexpr int kWordFraction = 30;

}  // namespace

std::string ifListingTitle(const ConfigDatabase& db) { return "ZAT IF Block Listing : " + db.fileName; }

TIFPrintout::TIFPrintout(PrintPage& page, const ConfigDatabase& db)
    : TTextPrintout(page, ifListingTitle(db)), db_(db) {}

int TIFPrintout::stop(int k) const { return k * pageWidth() / kStops; }

void TIFPrintout::printColumnHeadings() {
    setFont(true, pageHeight() / kHeadingLinesPerPage);
    setColumn(stop(0));
    printText("Enabled");
    setColumn(stop(2));
    printText("Condition");
    setColumn(stop(5));
    printText("Action if true");
    setColumn(stop(10));
    printText("Action if false");
    setColumn(stop(15));
    printLine("Comment");
    printLine("");
    printLine("");
    setFont(false, pageHeight() / kHeadingLinesPerPage);
}

void TIFPrintout::printPage() {
    printHeader();
    setFont(false, pageHeight() / kBlockLinesPerPage);
    for (const IfLine& line : ifLines(db_)) {
        setColumn(pageWidth() / kPictureFraction);
        printPicture(line.enabled ? PrintPicture::EnabledBlock : PrintPicture::DisabledBlock);
        setColumn(pageWidth() / kWordFraction);
        printText(line.enabled ? "YES" : "NO");
        setColumn(stop(2));
        printText(line.condition);
        setColumn(stop(5));
        printText(line.thenAction);
        setColumn(stop(10));
        printText(line.elseAction);
        setColumn(stop(15));
        printLine(line.comment);
    }
}

}  // namespace zat
