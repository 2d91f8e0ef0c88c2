#include "gui/monitors/monitor_pictures.h"

#include "gui/common/accessible_names.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace zat {

namespace {

constexpr int kSize = 16;

QPixmap blank() {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QColor lampColour(LampColour colour, bool lit) {
    switch (colour) {
        case LampColour::Green:
            return lit ? QColor(0, 200, 0) : QColor(0, 80, 0);
        case LampColour::Red:
            return lit ? QColor(240, 0, 0) : QColor(100, 0, 0);
        case LampColour::Yellow:
            return lit ? QColor(255, 220, 0) : QColor(110, 95, 0);
    }
    return Qt::gray;
}

}  // namespace

QIcon tabIcon(const QString& resource, bool bright) {
    const QIcon icon(resource);
    if (bright) return icon;
    return QIcon(icon.pixmap(kSize, kSize, QIcon::Disabled));
}

QPixmap lampPixmap(LampColour colour, std::optional<bool> lit) {
    QPixmap pixmap = blank();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(60, 60, 60), 1));
    // Unknown (not yet read): an empty ring.
    painter.setBrush(lit ? QBrush(lampColour(colour, *lit)) : QBrush(Qt::NoBrush));
    painter.drawEllipse(QRectF(1.5, 1.5, kSize - 3, kSize - 3));
    if (lit.value_or(false)) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 255, 255, 150));
        painter.drawEllipse(QRectF(4, 4, 4, 4));
    }
    return pixmap;
}

QPixmap markerPixmap(Marker marker) {
    QPixmap pixmap = blank();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    switch (marker) {
        case Marker::Up:
            painter.setBrush(QColor(220, 0, 0));
            painter.drawPolygon(QPolygonF({QPointF(8, 2), QPointF(14, 13), QPointF(2, 13)}));
            break;
        case Marker::Down:
            painter.setBrush(QColor(0, 190, 210));
            painter.drawPolygon(QPolygonF({QPointF(2, 3), QPointF(14, 3), QPointF(8, 14)}));
            break;
        case Marker::Third:
            painter.setBrush(QColor(0, 60, 220));
            painter.drawRect(QRectF(4, 4, 8, 8));
            break;
    }
    return pixmap;
}

QPixmap arrowPixmap(ProfileArrow arrow) {
    QPixmap pixmap = blank();
    if (arrow == ProfileArrow::None) return pixmap;
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor colour;
    QLineF shaft;
    switch (arrow) {
        case ProfileArrow::RampUp:
            colour = QColor(220, 0, 0);
            shaft = QLineF(2, 14, 13, 3);
            break;
        case ProfileArrow::RampDown:
            colour = QColor(0, 60, 220);
            shaft = QLineF(2, 2, 13, 13);
            break;
        default:
            colour = QColor(0, 160, 0);
            shaft = QLineF(1, 8, 14, 8);
            break;
    }
    painter.setPen(QPen(colour, 2.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(shaft);
    // The head: two strokes back from the tip at 30 degrees either side.
    QLineF head = QLineF(shaft.p2(), shaft.p1());
    head.setLength(6);
    for (const qreal turn : {30.0, -30.0}) {
        QLineF stroke = head;
        stroke.setAngle(head.angle() + turn);
        painter.drawLine(stroke);
    }
    return pixmap;
}

Lamp::Lamp(LampColour colour, QWidget* parent) : QLabel(parent), colour_(colour) {
    setFixedSize(kSize + 4, kSize + 4);
    setAlignment(Qt::AlignCenter);
    setLit(std::nullopt);
}

void Lamp::setCaption(const QString& caption) {
    caption_ = caption;
    updateName();
}

void Lamp::setLit(std::optional<bool> lit) {
    lit_ = lit;
    setPixmap(lampPixmap(colour_, lit));
    setProperty("lit", lit ? QVariant(*lit) : QVariant());
    updateName();
}

void Lamp::updateName() {
    nameLiveValue(this, caption_,
                  !lit_   ? QStringLiteral("unknown")
                  : *lit_ ? QStringLiteral("on")
                          : QStringLiteral("off"));
}

QString arrowName(ProfileArrow arrow) {
    switch (arrow) {
        case ProfileArrow::RampUp:
            return QStringLiteral("ramping up");
        case ProfileArrow::RampDown:
            return QStringLiteral("ramping down");
        case ProfileArrow::Dwell:
            return QStringLiteral("dwelling");
        case ProfileArrow::None:
            break;
    }
    return {};
}

}  // namespace zat
