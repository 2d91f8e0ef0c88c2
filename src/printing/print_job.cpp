#include "printing/print_job.h"

namespace zat {

namespace {

// A page measured as the real one is; what is drawn is left to the derived page.
class MeasuredLike : public PrintPage {
public:
    explicit MeasuredLike(PrintPage& page) : page_(page) {}
    int width() const override { return page_.width(); }
    int height() const override { return page_.height(); }
    int textWidth(const PrintFont& font, std::string_view text) const override { return page_.textWidth(font, text); }
    int textHeight(const PrintFont& font, std::string_view text) const override { return page_.textHeight(font, text); }

protected:
    PrintPage& page_;
};

// The dry run: draws nothing, counts the pages.
class PageCounter final : public MeasuredLike {
public:
    using MeasuredLike::MeasuredLike;
    void drawText(const PrintFont&, int, int, std::string_view) override {}
    void drawClippedText(const PrintFont&, const PrintRect&, std::string_view) override {}
    void drawRightAlignedText(const PrintFont&, int, int, std::string_view) override {}
    void drawPicture(PrintPicture, int, int, int) override {}
    void newPage() override { ++pages_; }
    int pages() const { return pages_; }

private:
    int pages_ = 1;
};

// The real run: each page is announced before it begins, and once Cancel is
// pressed nothing more reaches the real page.
class ProgressPage final : public MeasuredLike {
public:
    ProgressPage(PrintPage& page, PrintProgress& progress) : MeasuredLike(page), progress_(progress) {}

    // False when cancelled instead.
    bool beginPage() {
        if (cancelled_ || progress_.cancelRequested()) {
            cancelled_ = true;
            return false;
        }
        ++number_;
        progress_.setMessage(nowPrintingPage(number_));
        progress_.step();
        return true;
    }
    bool cancelled() const { return cancelled_; }

    void drawText(const PrintFont& font, int x, int y, std::string_view text) override {
        if (!cancelled_) page_.drawText(font, x, y, text);
    }
    void drawClippedText(const PrintFont& font, const PrintRect& rect, std::string_view text) override {
        if (!cancelled_) page_.drawClippedText(font, rect, text);
    }
    void drawRightAlignedText(const PrintFont& font, int right, int y, std::string_view text) override {
        if (!cancelled_) page_.drawRightAlignedText(font, right, y, text);
    }
    void drawPicture(PrintPicture picture, int x, int y, int size) override {
        if (!cancelled_) page_.drawPicture(picture, x, y, size);
    }
    void newPage() override {
        if (beginPage()) page_.newPage();
    }

private:
    PrintProgress& progress_;
    int number_ = 0;
    bool cancelled_ = false;
};

}  // namespace

std::string nowPrintingPage(int page) { return std::string(kNowPrinting) + " Page " + std::to_string(page); }

std::string printListingJob(Listing listing, PrintPage& page, const ConfigDatabase& db, PrintProgress& progress) {
    PageCounter counter(page);
    const std::string refused = printListing(listing, counter, db);
    if (!refused.empty()) return refused;
    // One page is over before anyone could cancel it.
    if (counter.pages() == 1) return printListing(listing, page, db);

    ProgressSession session(progress, counter.pages(), kNowPrinting);
    ProgressPage announced(page, progress);
    if (!announced.beginPage()) return kPrintingCanceled;
    const std::string failure = printListing(listing, announced, db);
    return announced.cancelled() ? kPrintingCanceled : failure;
}

}  // namespace zat
