// The report page on a QPainter: the printer, the PDF writer and the print
// preview all draw through it. "Arial" is asked for by name; Debian's
// Liberation Sans has the same metrics and is what fontconfig serves for it.
#pragma once

#include "printing/print_page.h"

#include <QFont>
#include <QSvgRenderer>

#include <map>
#include <memory>
#include <utility>

class QPainter;
class QPagedPaintDevice;

namespace zat {

class PainterPage final : public PrintPage {
public:
    // `painter` is active on `device`.
    PainterPage(QPainter& painter, QPagedPaintDevice& device);
    ~PainterPage() override;

    int width() const override;
    int height() const override;
    int textWidth(const PrintFont& font, std::string_view text) const override;
    int textHeight(const PrintFont& font, std::string_view text) const override;
    void drawText(const PrintFont& font, int x, int y, std::string_view text) override;
    void drawClippedText(const PrintFont& font, const PrintRect& rect, std::string_view text) override;
    void drawRightAlignedText(const PrintFont& font, int right, int y, std::string_view text) override;
    void drawPicture(PrintPicture picture, int x, int y, int size) override;
    void newPage() override;

    // A page could not be started.
    bool failed() const { return failed_; }

private:
    // The font whose line spacing is the height asked for, as a Windows font
    // of that cell height would be.
    const QFont& qfont(const PrintFont& font) const;

    QPainter& painter_;
    QPagedPaintDevice& device_;
    bool failed_ = false;
    mutable std::map<std::pair<bool, int>, QFont> fonts_;
    std::map<PrintPicture, std::unique_ptr<QSvgRenderer>> pictures_;
};

}  // namespace zat
