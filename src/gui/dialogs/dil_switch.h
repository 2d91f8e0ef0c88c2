// The picture of the unit's 12-way DIL switch: the switch body with one
// knob image per switch, up for a clear bit and down for a set one.
#pragma once

#include <QPixmap>
#include <QWidget>

#include <cstdint>

namespace zat {

class TDILSwitch : public QWidget {
    Q_OBJECT
public:
    explicit TDILSwitch(QWidget* parent = nullptr);

    std::uint16_t pattern() const { return pattern_; }
    // Repaints only when the pattern changes.
    void setPattern(std::uint16_t pattern);
    // How often the picture has been redrawn for a new pattern (for tests).
    int redrawCount() const { return redraws_; }

    QSize sizeHint() const override { return {61, 20}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap body_;      // 61 x 20, the switch body
    QPixmap knobUp_;    // 5 x 10, bit clear
    QPixmap knobDown_;  // 5 x 10, bit set
    std::uint16_t pattern_ = 0;
    int redraws_ = 0;
};

}  // namespace zat
