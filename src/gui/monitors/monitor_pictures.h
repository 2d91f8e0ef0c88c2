// The small pictures the monitors draw: tab marks (bright when the slot holds
// a card of the monitor's kind), lamps, the status markers beside a value and
// the profile arrows. Drawn here rather than loaded so colours and states
// stay in one place.
#pragma once

#include "monitoring/profiler_monitor.h"

#include <QIcon>
#include <QLabel>
#include <QPixmap>

#include <optional>

namespace zat {

// A tab's picture from the resources, greyed for a dark tab.
QIcon tabIcon(const QString& resource, bool bright);

enum class LampColour { Green, Red, Yellow };
enum class Marker { Up, Down, Third };

QPixmap lampPixmap(LampColour colour, std::optional<bool> lit);
QPixmap markerPixmap(Marker marker);
QPixmap arrowPixmap(ProfileArrow arrow);
// What the arrow says to a screen reader: "ramping up", "ramping down", "dwelling".
QString arrowName(ProfileArrow arrow);

// A lamp: its property "lit" is true, false or invalid (unknown), for tests.
// A screen reader hears its caption and state: "D05 on", "Held off".
class Lamp final : public QLabel {
public:
    Lamp(LampColour colour, QWidget* parent);
    void setCaption(const QString& caption);
    void setLit(std::optional<bool> lit);

private:
    void updateName();

    LampColour colour_;
    QString caption_;
    std::optional<bool> lit_;
};

}  // namespace zat
