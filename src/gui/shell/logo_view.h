// The main window's only content: the optional logo, drawn at its natural
// size in the middle of the window (clipped when the window is smaller).
#pragma once

#include <QPixmap>
#include <QWidget>

namespace zat {

class LogoView final : public QWidget {
    Q_OBJECT
public:
    explicit LogoView(QWidget* parent = nullptr);

    void setLogo(const QPixmap& logo);
    // Where the logo's top left corner goes in the current size.
    QPoint logoOrigin() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap logo_;
};

}  // namespace zat
