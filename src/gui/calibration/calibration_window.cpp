#include "gui/calibration/calibration_window.h"

#include "calibration/session_common.h"
#include "gui/common/accessible_names.h"
#include "gui/common/dialog_buttons.h"
#include "gui/common/link_batch.h"
#include "gui/common/text_conversion.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

namespace zat {

CalibrationWindow::CalibrationWindow(const WindowContext& context, const QString& title)
    : QDialog(context.parent), context_(context) {
    setWindowTitle(title);
    timer_ = new PollTimer(
        context.protocol.link(), PollTimer::Schedule::Periodic,
        PollTimer::Callbacks{[this] { return tickInterval(); }, [this] { tickNow(); }, [this] { tickNow(); }}, this);
}

Outcome CalibrationWindow::start() {
    Outcome opened = Outcome::Failed;
    runBatch([&] { opened = openEngine(); });
    if (succeeded(opened)) timer_->start();
    return opened;
}

QString CalibrationWindow::linkStatus() const { return linkStatus_ != nullptr ? linkStatus_->text() : QString(); }

void CalibrationWindow::runBatch(const std::function<void()>& exchanges) {
    {
        LinkBatch batch;
        exchanges();
    }
    showState();
}

void CalibrationWindow::done(int result) {
    timer_->stop();
    QDialog::done(result);
}

QWidget* CalibrationWindow::makeButtons(int helpContext) {
    // Without Cancel: every adjustment is on the unit already; Revert undoes them.
    QWidget* column = makeDialogButtons(*this, &context_.gui, DialogButtons{QStringLiteral("&OK"), helpContext, false});
    revert_ = new QPushButton(QStringLiteral("&Revert"), column);
    revert_->setObjectName(QStringLiteral("revert"));
    revert_->setAutoDefault(false);
    revert_->setEnabled(false);
    connect(revert_, &QPushButton::clicked, this, [this] {
        runBatch([this] { (void)revertEngine(); });  // a failed write has beeped; Revert stays enabled
    });
    static_cast<QVBoxLayout*>(column->layout())->insertWidget(1, revert_);
    return column;
}

QLabel* CalibrationWindow::makeLinkStatusLabel() {
    linkStatus_ = zat::makeLinkStatusLabel(this);
    return linkStatus_;
}

void CalibrationWindow::showLinkStatus(std::string_view text) {
    if (linkStatus_ != nullptr) showLiveLine(linkStatus_, toQString(text));
}

void CalibrationWindow::setRevertEnabled(bool enabled) {
    if (revert_ != nullptr) revert_->setEnabled(enabled);
}

ConstantControls CalibrationWindow::makeConstantControls(QWidget* group, QHBoxLayout& layout, const QString& name,
                                                         const QString& title, int trackMaximum,
                                                         int trackMinimumWidth) {
    ConstantControls controls;
    controls.title = title;
    controls.value = makeValueCell(group, name, QStringLiteral("FFFFh"));
    controls.minus = new QPushButton(QStringLiteral("-"), group);
    controls.minus->setObjectName(name + QStringLiteral("Minus"));
    controls.plus = new QPushButton(QStringLiteral("+"), group);
    controls.plus->setObjectName(name + QStringLiteral("Plus"));
    for (QPushButton* button : {controls.minus, controls.plus}) {
        button->setAutoDefault(false);
        button->setFixedWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("+")) + 24);
    }
    controls.track = new QSlider(Qt::Horizontal, group);
    controls.track->setObjectName(name + QStringLiteral("Track"));
    controls.track->setRange(0, trackMaximum);
    controls.track->setTickPosition(QSlider::TicksBelow);
    controls.track->setTickInterval(1);  // a tick at every step of the constant
    controls.track->setMinimumWidth(trackMinimumWidth);
    nameCell(controls.minus, title, QStringLiteral("down"));
    nameCell(controls.plus, title, QStringLiteral("up"));
    controls.track->setAccessibleName(title);
    layout.addWidget(controls.value);
    layout.addWidget(controls.minus);
    layout.addWidget(controls.track, 1);
    layout.addWidget(controls.plus);
    return controls;
}

void CalibrationWindow::showConstant(const ConstantControls& controls, const std::optional<std::uint16_t>& value,
                                     int position) {
    for (QWidget* control : {static_cast<QWidget*>(controls.minus), static_cast<QWidget*>(controls.track),
                             static_cast<QWidget*>(controls.plus)})
        control->setEnabled(value.has_value());
    controls.value->setText(value ? toQString(hexText(*value)) : QString());
    nameLiveValue(controls.value, controls.title, controls.value->text());
    const QSignalBlocker quiet(controls.track);
    if (value) controls.track->setValue(position);
}

}  // namespace zat
