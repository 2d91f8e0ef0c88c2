// A page that keeps what is drawn on it instead of drawing: the listing as
// text (zatctl listing) and the layout's tests read it. Its fonts measure
// exactly their height (but no less than the smallest font given, as a
// device's smallest font), and each character half of that in width.
#pragma once

#include "printing/print_page.h"

#include <string>
#include <vector>

namespace zat {

struct PageDraw {
    enum class Kind { Text, Clipped, RightAligned, Picture };
    Kind kind = Kind::Text;
    int page = 1;
    PrintFont font{};
    int x = 0;         // the left end; the right end for RightAligned
    int y = 0;         // the top
    PrintRect clip{};  // Clipped only
    std::string text{};
    PrintPicture picture = PrintPicture::EnabledBlock;
    int size = 0;  // Picture only
};

class RecordedPage final : public PrintPage {
public:
    // The size of a page printed at 600 dots per inch with 2/3 inch margins.
    static constexpr int kListingWidth = 4800;
    static constexpr int kListingHeight = 6000;

    explicit RecordedPage(int width = kListingWidth, int height = kListingHeight, int smallestFont = 0)
        : width_(width), height_(height), smallestFont_(smallestFont) {}

    int width() const override { return width_; }
    int height() const override { return height_; }
    int textWidth(const PrintFont& font, std::string_view text) const override;
    int textHeight(const PrintFont& font, std::string_view text) const override;
    void drawText(const PrintFont& font, int x, int y, std::string_view text) override;
    void drawClippedText(const PrintFont& font, const PrintRect& rect, std::string_view text) override;
    void drawRightAlignedText(const PrintFont& font, int right, int y, std::string_view text) override;
    void drawPicture(PrintPicture picture, int x, int y, int size) override;
    void newPage() override { ++pages_; }

    const std::vector<PageDraw>& draws() const { return draws_; }
    int pageCount() const { return pages_; }

private:
    int width_, height_, smallestFont_;
    int pages_ = 1;
    std::vector<PageDraw> draws_;
};

// The listing as text: per page one line per printed line, its texts joined
// by tabs in the order they were printed (empty ones at its end left off),
// and a form feed line between pages.
std::string listingText(const RecordedPage& page);

}  // namespace zat
