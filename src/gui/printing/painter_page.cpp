#include "gui/printing/painter_page.h"

#include "gui/common/text_conversion.h"

#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace zat {

namespace {

QString pictureFile(PrintPicture picture) {
    return picture == PrintPicture::EnabledBlock ? QStringLiteral(":/icons/if_block_enabled.svg")
                                                 : QStringLiteral(":/icons/if_block_disabled.svg");
}

}  // namespace

PainterPage::PainterPage(QPainter& painter, QPagedPaintDevice& device) : painter_(painter), device_(device) {
    painter_.setPen(Qt::black);
}

PainterPage::~PainterPage() = default;

int PainterPage::width() const { return device_.width(); }

int PainterPage::height() const { return device_.height(); }

const QFont& PainterPage::qfont(const PrintFont& font) const {
    const auto key = std::make_pair(font.bold, font.height);
    const auto found = fonts_.find(key);
    if (found != fonts_.end()) return found->second;
    QFont f(QStringLiteral("Arial"));
    f.setBold(font.bold);
    const int height = std::max(1, font.height);
    f.setPixelSize(height);
    // The pixel size is the em; the line takes a little more.
    const int spacing = QFontMetrics(f, &device_).height();
    if (spacing > height) f.setPixelSize(std::max(1, height * height / spacing));
    return fonts_.emplace(key, f).first->second;
}

int PainterPage::textWidth(const PrintFont& font, std::string_view text) const {
    return QFontMetrics(qfont(font), &device_).horizontalAdvance(toQString(text));
}

int PainterPage::textHeight(const PrintFont& font, std::string_view) const {
    return QFontMetrics(qfont(font), &device_).height();
}

void PainterPage::drawText(const PrintFont& font, int x, int y, std::string_view text) {
    painter_.setFont(qfont(font));
    painter_.drawText(QPoint(x, y + QFontMetrics(qfont(font), &device_).ascent()), toQString(text));
}

void PainterPage::drawClippedText(const PrintFont& font, const PrintRect& rect, std::string_view text) {
    painter_.setFont(qfont(font));
    painter_.drawText(QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top),
                      Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, toQString(text));
}

void PainterPage::drawRightAlignedText(const PrintFont& font, int right, int y, std::string_view text) {
    drawText(font, right - textWidth(font, text), y, text);
}

void PainterPage::drawPicture(PrintPicture picture, int x, int y, int size) {
    std::unique_ptr<QSvgRenderer>& renderer = pictures_[picture];
    if (!renderer) renderer = std::make_unique<QSvgRenderer>(pictureFile(picture));
    renderer->render(&painter_, QRectF(x, y, size, size));
}

void PainterPage::newPage() {
    if (!device_.newPage()) failed_ = true;
}

}  // namespace zat
