#include "gui/common/please_wait.h"

#include "gui/common/text_conversion.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

namespace zat {

namespace {

// A caption without a system menu or close box, above every other window.
constexpr Qt::WindowFlags kWindowFlags =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint;

}  // namespace

TPleaseWait::TPleaseWait() : QDialog(nullptr, kWindowFlags) {
    setWindowTitle(QStringLiteral("Working"));
    // Application-modal: while an operation runs, the user cannot start another.
    setWindowModality(Qt::ApplicationModal);

    message_ = new QLabel(QStringLiteral("message"), this);
    message_->setObjectName(QStringLiteral("message"));

    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("bar"));
    bar_->setOrientation(Qt::Horizontal);
    bar_->setRange(0, 100);
    bar_->setTextVisible(true);
    bar_->setAlignment(Qt::AlignCenter);
    bar_->setFixedSize(272, 24);
    message_->setBuddy(bar_);  // a screen reader names the bar by what is under way

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Please wait :"), this));
    layout->addWidget(message_);
    layout->addWidget(bar_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    showPercent(0);

    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void TPleaseWait::setRange(int minimum, int maximum) { meter_.setRange(minimum, maximum); }

void TPleaseWait::setMessage(const QString& text) { message_->setText(text); }

void TPleaseWait::step() {
    meter_.step();
    update();
}

void TPleaseWait::update() {
    meter_.update();
    if (meter_.maximum() > meter_.minimum()) showPercent(meter_.percent());
    // The operation keeps the thread busy: let repaints and timers run now.
    QCoreApplication::processEvents();
}

void TPleaseWait::showPercent(int percent) {
    bar_->setValue(percent);
    bar_->setFormat(QStringLiteral("%1% complete").arg(percent));
}

// Only the operation that opened the window closes it.
void TPleaseWait::reject() {}

void PleaseWaitProgress::show() {
    window_ = std::make_unique<TPleaseWait>();
    window_->show();
    QCoreApplication::processEvents();
}

void PleaseWaitProgress::setRange(int minimum, int maximum) {
    if (window_) window_->setRange(minimum, maximum);
}

void PleaseWaitProgress::setMessage(std::string_view text) {
    if (window_) window_->setMessage(toQString(text));
}

void PleaseWaitProgress::step() {
    if (window_) window_->step();
}

void PleaseWaitProgress::destroy() { window_.reset(); }

}  // namespace zat
