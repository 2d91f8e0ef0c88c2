#include "gui/shell/logo_view.h"

#include <QPainter>

namespace zat {

LogoView::LogoView(QWidget* parent) : QWidget(parent) {
    setObjectName("logoView");
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
}

void LogoView::setLogo(const QPixmap& logo) {
    logo_ = logo;
    update();
}

QPoint LogoView::logoOrigin() const {
    // Integer division, so an odd difference leans to the top left.
    return {(width() - logo_.width()) / 2, (height() - logo_.height()) / 2};
}

void LogoView::paintEvent(QPaintEvent*) {
    if (logo_.isNull()) return;
    QPainter painter(this);
    painter.drawPixmap(logoOrigin(), logo_);
}

}  // namespace zat
