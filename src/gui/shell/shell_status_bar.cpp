#include "gui/shell/shell_status_bar.h"

#include "gui/common/accessible_names.h"
#include "gui/common/text_conversion.h"

#include <QFontMetrics>
#include <QLabel>

namespace zat {

namespace {

QString fromWire(std::string_view text) {
    // Frames are ASCII; anything else is shown byte for byte.
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QLabel* trafficField(QWidget* parent, const char* name) {
    auto* field = new QLabel(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    // Ten characters of the widest digit, plus the frame.
    field->setFixedWidth(QFontMetrics(field->font()).horizontalAdvance(QString(10, QChar('W'))) + 6);
    return field;
}

}  // namespace

ShellStatusBar::ShellStatusBar(QWidget* parent) : QStatusBar(parent) {
    setObjectName("statusBar");
    // Hints of menu items and tool buttons come as temporary messages and
    // cover this text while they are shown.
    operation_ = new QLabel(this);
    operation_->setObjectName("operation");
    addWidget(operation_, 1);
    setStatusText({});
    linkNote_ = new QLabel(this);
    linkNote_->setObjectName("linkNote");
    linkNote_->setStyleSheet("color: #b00000; font-weight: bold");
    linkNote_->hide();
    addPermanentWidget(linkNote_);
    unitNote_ = new QLabel(this);
    unitNote_->setObjectName("unitNote");
    unitNote_->hide();
    addPermanentWidget(unitNote_);
    request_ = trafficField(this, "request");
    reply_ = trafficField(this, "reply");
    addPermanentWidget(request_);
    addPermanentWidget(reply_);
}

void ShellStatusBar::setStatusText(std::string_view text) {
    operation_->setText(toQString(text));
    nameLiveValue(operation_, QStringLiteral("Status"), operation_->text(), QStringLiteral("none"));
}

void ShellStatusBar::requestSent(std::string_view request) { request_->setText(fromWire(request)); }

void ShellStatusBar::replyReceived(std::string_view reply) {
    reply_->setText(fromWire(reply));
    // A silent unit leaves it empty; it still says what it is.
    nameLiveValue(reply_, QStringLiteral("Last reply"), reply_->text(), QStringLiteral("none"));
}

void ShellStatusBar::setUnitNote(const QString& note) {
    unitNote_->setText(note);
    unitNote_->setVisible(!note.isEmpty());
}

void ShellStatusBar::setLinkNote(const QString& note) {
    linkNote_->setText(note);
    linkNote_->setVisible(!note.isEmpty());
}

}  // namespace zat
