#include "gui/printing/printing_window.h"

#include "gui/common/text_conversion.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zat {

namespace {

constexpr int kMessageWidth = 260;

}  // namespace

TPrintingWindow::TPrintingWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("printingWindow"));
    setWindowTitle(QStringLiteral("Printing"));
    // While the job runs the user can only cancel it.
    setWindowModality(Qt::ApplicationModal);

    message_ = new QLabel(QString::fromLatin1(kNowPrinting), this);
    message_->setObjectName(QStringLiteral("message"));
    message_->setMinimumWidth(kMessageWidth);
    message_->setAlignment(Qt::AlignCenter);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_->setObjectName(QStringLiteral("cancelButton"));
    connect(cancel_, &QPushButton::clicked, this, &TPrintingWindow::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(message_);
    layout->addWidget(cancel_, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TPrintingWindow::setMessage(const QString& text) { message_->setText(text); }

QString TPrintingWindow::message() const { return message_->text(); }

void TPrintingWindow::reject() {
    cancelled_ = true;
    cancel_->setEnabled(false);
}

void PrintingWindowProgress::show() {
    window_ = std::make_unique<TPrintingWindow>(parent_);
    window_->show();
    QCoreApplication::processEvents();
}

void PrintingWindowProgress::setMessage(std::string_view text) {
    if (window_) window_->setMessage(toQString(text));
}

void PrintingWindowProgress::step() { QCoreApplication::processEvents(); }

void PrintingWindowProgress::destroy() { window_.reset(); }

bool PrintingWindowProgress::cancelRequested() {
    // The job keeps the thread busy: a press of Cancel arrives here.
    QCoreApplication::processEvents();
    return window_ && window_->cancelled();
}

}  // namespace zat
