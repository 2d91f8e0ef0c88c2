// The listings' layout on a 4800 x 6000 page whose fonts measure exactly
// their height: the header's title is then pageHeight / 60 = 100 high, the
// headings start at y 200 and the body at y 455.
#include "model/config_database.h"
#include "printing/if_printout.h"
#include "printing/io_printout.h"
#include "printing/listing.h"
#include "printing/recorded_page.h"

#include <gtest/gtest.h>

namespace zat {
namespace {

using Kind = PageDraw::Kind;

std::vector<PageDraw> drawsOn(const RecordedPage& page, int number, Kind kind) {
    std::vector<PageDraw> found;
    for (const PageDraw& d : page.draws())
        if (d.page == number && d.kind == kind) found.push_back(d);
    return found;
}

const PageDraw* textAt(const RecordedPage& page, int number, const std::string& text) {
    for (const PageDraw& d : page.draws())
        if (d.page == number && d.text == text) return &d;
    return nullptr;
}

void fillIfBlocks(ConfigDatabase& db, int count) {
    for (int i = 0; i < count; ++i) {
        TIfconf& b = db.ifBlocks[static_cast<std::size_t>(i)];
        b.ifOperand1 = static_cast<uint16_t>(1 + i % 40);  // A0..A39
        b.flags = i % 2 == 0 ? 0xC0 : 0x40;                // enabled or not, compared with the constant 0
        b.comment.assign("block " + std::to_string(i));
    }
    db.ifBlockCount = count;
}

RecordedPage print(Listing listing, const ConfigDatabase& db) {
    RecordedPage page;
    EXPECT_EQ(printListing(listing, page, db), "");
    return page;
}

TEST(Listings, HeaderCarriesTitleAndPageNumberAndTheHeadingsFollowAtTwiceItsHeight) {
    ConfigDatabase db;  // no file opened
    const RecordedPage page = print(Listing::IF, db);
    const PageDraw* title = textAt(page, 1, "ZAT IF Block Listing : Default.zat ");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->x, 10);
    EXPECT_EQ(title->y, 0);
    EXPECT_EQ(title->font, (PrintFont{true, 100}));
    const std::vector<PageDraw> right = drawsOn(page, 1, Kind::RightAligned);
    ASSERT_EQ(right.size(), 1u);
    EXPECT_EQ(right[0].text, "Page   1");
    EXPECT_EQ(right[0].x, 4800);
    EXPECT_EQ(right[0].y, 0);
    for (const char* heading : {"Enabled", "Condition", "Action if true", "Action if false", "Comment"}) {
        ASSERT_NE(textAt(page, 1, heading), nullptr) << heading;
        EXPECT_EQ(textAt(page, 1, heading)->y, 200);
        EXPECT_EQ(textAt(page, 1, heading)->font, (PrintFont{true, 85}));
    }
    EXPECT_EQ(textAt(page, 1, "Action if false")->x, 2400);
    EXPECT_EQ(page.pageCount(), 1) << "no blocks: the headings only";
    EXPECT_TRUE(drawsOn(page, 1, Kind::Picture).empty());
}

TEST(Listings, IoListingIsOnePageOfRowsInGroupsOfEightWithCommentsClippedToTheirColumns) {
    ConfigDatabase db;
    db.fileName = "plant.zat";
    db.analogInputs[0].comment.assign(
        "\xB0"
        "C furnace zone temperature 1");  // Windows-1252 degree sign
    db.digitalOutputComments[55].assign("last output");
    const RecordedPage page = print(Listing::IO, db);
    EXPECT_EQ(page.pageCount(), 1);
    ASSERT_NE(textAt(page, 1, " ZAT I/O Listing : plant.zat "), nullptr);

    const std::vector<PageDraw> clipped = drawsOn(page, 1, Kind::Clipped);
    ASSERT_EQ(clipped.size(), 40u * 4 + 16);
    std::size_t next = 0;
    for (int n = 0; n < 56; ++n) {
        const int y = 455 + 75 * (n + n / 8);
        char label[4];
        std::snprintf(label, sizeof label, "%2d", n);
        const PageDraw* number = textAt(page, 1, label);
        ASSERT_NE(number, nullptr) << n;
        EXPECT_EQ(number->y, y) << n;
        EXPECT_EQ(number->x, 0);
        // A, B, C from col 1, 6, 11 to the next column less the gap of 96; D to the page's edge.
        const std::vector<PrintRect> columns = n < 40 ? std::vector<PrintRect>{{240, y, 1344, y + 75},
                                                                               {1440, y, 2544, y + 75},
                                                                               {2640, y, 3744, y + 75},
                                                                               {3840, y, 4800, y + 75}}
                                                      : std::vector<PrintRect>{{3840, y, 4800, y + 75}};
        for (const PrintRect& rect : columns) EXPECT_EQ(clipped[next++].clip, rect) << n;
    }
    EXPECT_EQ(clipped[0].text, "\u00B0C furnace zone temperature 1") << "shown as UTF-8";
    EXPECT_EQ(clipped.back().text, "last output");
}

TEST(Listings, IfListingHas84LinesAPageAndBreaksOnlyForALineThatIsPrinted) {
    struct Case {
        int blocks, pages, linesOnLastPage;
    };
    // 84 fill the page exactly: no page with the header alone follows. 90 are
    // all read, and no slot past the last.
    for (const Case c : {Case{1, 1, 1}, Case{84, 1, 84}, Case{85, 2, 1}, Case{90, 2, 6}}) {
        ConfigDatabase db;
        fillIfBlocks(db, c.blocks);
        const RecordedPage page = print(Listing::IF, db);
        EXPECT_EQ(page.pageCount(), c.pages) << c.blocks;
        const std::vector<PageDraw> pictures = drawsOn(page, c.pages, Kind::Picture);
        ASSERT_EQ(static_cast<int>(pictures.size()), c.linesOnLastPage) << c.blocks;
        for (int i = 0; i < c.linesOnLastPage; ++i) {
            EXPECT_EQ(pictures[static_cast<std::size_t>(i)].y, 455 + 66 * i) << c.blocks;
            EXPECT_EQ(pictures[static_cast<std::size_t>(i)].x, 80);
            EXPECT_EQ(pictures[static_cast<std::size_t>(i)].size, 66);
        }
        const int firstOnLastPage = (c.pages - 1) * 84;
        const PageDraw* comment = textAt(page, c.pages, "block " + std::to_string(firstOnLastPage));
        ASSERT_NE(comment, nullptr) << c.blocks;
        EXPECT_EQ(comment->x, 3600);
        EXPECT_EQ(comment->y, 455);
        EXPECT_EQ(comment->font, (PrintFont{false, 66})) << "the line keeps its font across the break";
        if (c.pages == 2) {
            ASSERT_NE(textAt(page, 2, "Page   2"), nullptr);
            ASSERT_NE(textAt(page, 2, "Enabled"), nullptr);
        }
    }
}

TEST(Listings, APageTooSmallForTheHeaderIsRefusedInsteadOfBreakingForEver) {
    ConfigDatabase db;
    fillIfBlocks(db, 3);
    for (const Listing listing : {Listing::IO, Listing::IF}) {
        RecordedPage page(4800, 40, 16);  // the smallest font is 16 high
        EXPECT_EQ(printListing(listing, page, db), kPageTooSmall);
        EXPECT_EQ(page.pageCount(), 1);
    }
    EXPECT_EQ(notPrintedMessage(ifListingTitle(db), kPageTooSmall),
              "'ZAT IF Block Listing : Default.zat' not printed. The page is too small for the header.");
}

TEST(Listings, TextFormIsOneLineOfTabbedCellsPerPrintedLineWithFormFeedsBetweenPages) {
    ConfigDatabase db;
    fillIfBlocks(db, 85);
    db.ifBlocks[0].thenOperand1 = 0x41;  // B0
    db.ifBlocks[0].thenOperand2 = 5;
    db.ifBlocks[0].flags |= 0x20;  // a constant
    RecordedPage page;
    ASSERT_EQ(printListing(Listing::IF, page, db), "");
    const std::string text = listingText(page);
    const std::string firstPage =
        "ZAT IF Block Listing : Default.zat \tPage   1\n"
        "Enabled\tCondition\tAction if true\tAction if false\tComment\n\n\n"
        "YES\tIF A0 > 0\tTHEN B0 = 5 \t\tblock 0\n"
        "NO\tIF A1 > 0\t\t\tblock 1\n";
    EXPECT_EQ(text.substr(0, firstPage.size()), firstPage);
    const std::string secondPage =
        "\f\nZAT IF Block Listing : Default.zat \tPage   2\n"
        "Enabled\tCondition\tAction if true\tAction if false\tComment\n\n\n"
        "YES\tIF A4 > 0\t\t\tblock 84\n";
    ASSERT_GE(text.size(), secondPage.size());
    EXPECT_EQ(text.substr(text.size() - secondPage.size()), secondPage);
}

}  // namespace
}  // namespace zat
