// The main window's accelerator table. The keys are caught before Qt's own
// shortcuts, so a key such as Alt+C runs its command even where a menu
// title's mnemonic uses the same letter, and a typed "C" works as a key.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

class QKeyEvent;

namespace zat {

class AcceleratorKeys final : public QObject {
    Q_OBJECT
public:
    // Watches the application's key events while `window` is active and no
    // dialog or menu is up; a matching key calls run with its command id.
    AcceleratorKeys(QWidget* window, std::function<void(int command)> run);
    ~AcceleratorKeys() override;

    // The command of a key event, or 0.
    static int commandFor(const QKeyEvent& key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> window_;
    std::function<void(int)> run_;
};

}  // namespace zat
