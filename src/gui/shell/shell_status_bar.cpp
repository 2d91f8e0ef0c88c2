#include "gui/shell/shell_status_bar.h"

#include "comms/link_statistics.h"
#include "gui/common/accessible_names.h"
#include "gui/common/text_conversion.h"

#include <QFontMetrics>
#include <QHelpEvent>
#include <QLabel>
#include <QToolTip>

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
    // The tip is made when asked for, so it is current and costs the line nothing.
    request_->installEventFilter(this);
    reply_->installEventFilter(this);
}

void ShellStatusBar::setStatusText(std::string_view text) {
    operation_->setText(toQString(text));
    nameLiveValue(operation_, QStringLiteral("Status"), operation_->text(), QStringLiteral("none"));
}

void ShellStatusBar::exchanged(const ExchangeRecord& record) {
    request_->setText(fromWire(record.request));
    reply_->setText(fromWire(record.reply));
    // A silent unit leaves it empty; it still says what it is.
    nameLiveValue(reply_, QStringLiteral("Last reply"), reply_->text(), QStringLiteral("none"));
}

QString ShellStatusBar::trafficToolTip() const {
    if (statistics_ == nullptr) return {};
    if (statistics_->byAddress().empty()) return "No exchanges with a unit yet";
    QStringList lines;
    for (const auto& [address, unit] : statistics_->byAddress()) {
        lines << QString("Unit %1: %2").arg(address).arg(toQString(statisticsText(unit)));
    }
    return lines.join('\n');
}

bool ShellStatusBar::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ToolTip && (watched == request_ || watched == reply_)) {
        const QString tip = trafficToolTip();
        if (tip.isEmpty()) return false;
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), tip, static_cast<QWidget*>(watched));
        return true;
    }
    return QStatusBar::eventFilter(watched, event);
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
