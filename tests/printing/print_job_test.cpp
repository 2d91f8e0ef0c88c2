// A listing printed as a job: the "Printing" progress only for more than one
// page, one message per page, and Cancel taking effect at the next page.
#include "printing/print_job.h"
#include "printing/recorded_page.h"

#include <gtest/gtest.h>

namespace zat {
namespace {

// Records the calls; answers Cancel from the `cancelAt`-th question on (0: never).
class ScriptedPrintProgress final : public PrintProgress {
public:
    explicit ScriptedPrintProgress(int cancelAt) : cancelAt_(cancelAt) {}
    std::vector<std::string> calls;

    void show() override { calls.emplace_back("show"); }
    void setRange(int minimum, int maximum) override {
        calls.push_back("range " + std::to_string(minimum) + " " + std::to_string(maximum));
    }
    void setMessage(std::string_view text) override { calls.push_back(std::string(text)); }
    void step() override { calls.emplace_back("step"); }
    void destroy() override { calls.emplace_back("destroy"); }
    bool cancelRequested() override {
        calls.emplace_back("cancel?");
        return cancelAt_ != 0 && ++asked_ >= cancelAt_;
    }

private:
    int cancelAt_;
    int asked_ = 0;
};

ConfigDatabase withIfBlocks(int count) {
    ConfigDatabase db;
    for (int i = 0; i < count; ++i) db.ifBlocks[static_cast<std::size_t>(i)].ifOperand1 = 1;
    db.ifBlockCount = count;
    return db;
}

// The draws of the listing printed without a job, up to page `lastPage`.
std::vector<PageDraw> plainDraws(Listing listing, const ConfigDatabase& db, int lastPage) {
    RecordedPage page;
    EXPECT_EQ(printListing(listing, page, db), "");
    std::vector<PageDraw> draws;
    for (const PageDraw& d : page.draws())
        if (d.page <= lastPage) draws.push_back(d);
    return draws;
}

bool sameDraws(const std::vector<PageDraw>& a, const std::vector<PageDraw>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const PageDraw& x, const PageDraw& y) {
        return x.kind == y.kind && x.page == y.page && x.x == y.x && x.y == y.y && x.text == y.text;
    });
}

TEST(PrintJob, ShowsPagesOfALongListingAndStopsAtTheNextPageOnCancel) {
    const std::vector<std::string> twoPages = {
        "show", "range 0 2", "Now printing",        "cancel?", "Now printing Page 1",
        "step", "cancel?",   "Now printing Page 2", "step",    "destroy"};
    struct Case {
        const char* name;
        Listing listing;
        int blocks;
        int cancelAt;
        std::string result;
        int pagesDrawn;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {"one page: no window", Listing::IO, 0, 1, "", 1, {}},
        {"two pages", Listing::IF, 90, 0, "", 2, twoPages},
        {"cancel on page 1",
         Listing::IF,
         90,
         2,
         kPrintingCanceled,
         1,
         {"show", "range 0 2", "Now printing", "cancel?", "Now printing Page 1", "step", "cancel?", "destroy"}},
        {"cancel at once",
         Listing::IF,
         90,
         1,
         kPrintingCanceled,
         0,
         {"show", "range 0 2", "Now printing", "cancel?", "destroy"}},
    };
    for (const Case& c : cases) {
        const ConfigDatabase db = withIfBlocks(c.blocks);
        ScriptedPrintProgress progress(c.cancelAt);
        RecordedPage page;
        EXPECT_EQ(printListingJob(c.listing, page, db, progress), c.result) << c.name;
        EXPECT_EQ(progress.calls, c.calls) << c.name;
        EXPECT_EQ(page.pageCount(), std::max(1, c.pagesDrawn)) << c.name;
        EXPECT_TRUE(sameDraws(page.draws(), plainDraws(c.listing, db, c.pagesDrawn))) << c.name;
    }
}

TEST(PrintJob, APageTooSmallIsRefusedWithoutAWindow) {
    ScriptedPrintProgress progress(0);
    RecordedPage page(4800, 40, 16);  // the smallest font is 16 high
    EXPECT_EQ(printListingJob(Listing::IF, page, withIfBlocks(90), progress), kPageTooSmall);
    EXPECT_TRUE(progress.calls.empty());
}

}  // namespace
}  // namespace zat
