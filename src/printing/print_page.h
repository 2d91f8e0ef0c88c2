// The page a report is drawn on: its printable size and font metrics in
// device units, and the few drawing calls a text report needs. The printer,
// the PDF writer and the text listing each provide one, so the layout itself
// is plain integer arithmetic.
#pragma once

#include <string_view>

namespace zat {

// "Arial" or "Arial Bold" at a cell height in device units.
struct PrintFont {
    bool bold = false;
    int height = 0;

    friend bool operator==(const PrintFont&, const PrintFont&) = default;
};

struct PrintRect {
    int left = 0, top = 0, right = 0, bottom = 0;

    friend bool operator==(const PrintRect&, const PrintRect&) = default;
};

// The pictures a listing shows beside a line.
enum class PrintPicture { EnabledBlock, DisabledBlock };

// Texts are UTF-8 and placed by the top of their cell, not by the baseline.
class PrintPage {
public:
    virtual ~PrintPage() = default;

    virtual int width() const = 0;
    virtual int height() const = 0;
    virtual int textWidth(const PrintFont& font, std::string_view text) const = 0;
    virtual int textHeight(const PrintFont& font, std::string_view text) const = 0;

    virtual void drawText(const PrintFont& font, int x, int y, std::string_view text) = 0;
    // One line, left-aligned at the rectangle's top, cut off at its edges.
    virtual void drawClippedText(const PrintFont& font, const PrintRect& rect, std::string_view text) = 0;
    // Ends at `right`.
    virtual void drawRightAlignedText(const PrintFont& font, int right, int y, std::string_view text) = 0;
    // A square picture `size` high with its top left corner at (x, y).
    virtual void drawPicture(PrintPicture picture, int x, int y, int size) = 0;
    virtual void newPage() = 0;
};

}  // namespace zat
