#include "gui/dialogs/dil_switch.h"

#include "comms/comms_entries.h"

#include <QPainter>

namespace zat {

namespace {
constexpr int kKnobPitch = 5;  // pixels from one switch to the next
constexpr int kFirstKnobX = 1;
constexpr int kKnobY = 1;
}  // namespace

TDILSwitch::TDILSwitch(QWidget* parent)
    : QWidget(parent),
      body_(QStringLiteral(":/dil/dil_1192.xpm")),
      knobUp_(QStringLiteral(":/dil/dil_1190.xpm")),
      knobDown_(QStringLiteral(":/dil/dil_1191.xpm")) {
    setFixedSize(sizeHint());
}

void TDILSwitch::setPattern(std::uint16_t pattern) {
    if (pattern == pattern_) return;
    pattern_ = pattern;
    ++redraws_;
    update();
}

void TDILSwitch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, body_);
    for (int i = 0; i < kDilSwitchCount; ++i) {
        const bool set = (pattern_ >> i) & 1u;
        painter.drawPixmap(kKnobPitch * i + kFirstKnobX, kKnobY, set ? knobDown_ : knobUp_);
    }
}

}  // namespace zat
