#include "gui/common/batch_input.h"

#include "gui/common/link_batch.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#include <memory>
#include <utility>
#include <vector>

namespace zat {

namespace {

constexpr const char* kEscapeMidBatch = "zatEscapeMidBatch";

bool escapeMayAct(QObject* receiver, QEvent* event) {
    const auto type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride) return false;
    if (static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape) return false;
    // At the window's own level it goes on to the focus widget, checked there.
    if (receiver->isWindowType()) return true;
    auto* widget = qobject_cast<QWidget*>(receiver);
    return widget != nullptr && widget->window()->property(kEscapeMidBatch).toBool();
}

class InputHold final : public QObject {
public:
    InputHold() { QCoreApplication::instance()->installEventFilter(this); }

    void deliver() {
        QCoreApplication::instance()->removeEventFilter(this);
        for (auto& [receiver, event] : held_)
            if (receiver != nullptr) QCoreApplication::postEvent(receiver, event.release());
        held_.clear();
    }

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override {
        if (!LinkBatch::running()) return false;
        if (!event->isInputEvent() && event->type() != QEvent::Shortcut) return false;
        if (escapeMayAct(receiver, event)) return false;
        held_.emplace_back(receiver, std::unique_ptr<QEvent>(event->clone()));
        return true;
    }

private:
    std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>> held_;
};

// Made at the first exchange of an outermost batch, ended with it.
std::unique_ptr<InputHold>& hold() {
    static std::unique_ptr<InputHold> current;
    return current;
}

}  // namespace

void letEscapeActMidBatch(QWidget* window) { window->setProperty(kEscapeMidBatch, true); }

void letEventsThroughMidBatch() {
    // Made now, it filters before every filter installed earlier (the
    // accelerator keys among them).
    if (!hold()) hold() = std::make_unique<InputHold>();
    QCoreApplication::processEvents();
}

void deliverHeldInput() {
    if (!hold()) return;
    const std::unique_ptr<InputHold> ended = std::move(hold());
    ended->deliver();
}

}  // namespace zat
