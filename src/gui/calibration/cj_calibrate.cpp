#include "gui/calibration/cj_calibrate.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include "calibration/session_common.h"

namespace zat {

TCJCalibrate::TCJCalibrate(const WindowContext& context)
    : CalibrationWindow(context, QStringLiteral("Cold Junction Calibration")) {
    auto* values = new QGroupBox(QStringLiteral("Values"), this);
    auto* grid = new QGridLayout(values);
    for (int slot = 0; slot < kColdJunctionSlots; ++slot) {
        grid->addWidget(new QLabel(QStringLiteral("Slot %1").arg(slot + 1), values), slot, 0);
        temperatures_[static_cast<std::size_t>(slot)] =
            makeValueCell(values, QStringLiteral("temperature%1").arg(slot), QStringLiteral("-3276.8\u00B0C"));
        grid->addWidget(temperatures_[static_cast<std::size_t>(slot)], slot, 1);
    }
    grid->setColumnStretch(2, 1);

    auto* zeroGroup = new QGroupBox(QStringLiteral("Zero"), this);
    auto* row = new QHBoxLayout(zeroGroup);
    zero_ = makeValueCell(zeroGroup, QStringLiteral("zero"), QStringLiteral("FFFFh"));
    minus_ = new QPushButton(QStringLiteral("-"), zeroGroup);
    minus_->setObjectName(QStringLiteral("zeroMinus"));
    plus_ = new QPushButton(QStringLiteral("+"), zeroGroup);
    plus_->setObjectName(QStringLiteral("zeroPlus"));
    for (QPushButton* button : {minus_, plus_}) {
        button->setAutoDefault(false);
        button->setFixedWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("+")) + 24);
    }
    track_ = new QSlider(Qt::Horizontal, zeroGroup);
    track_->setObjectName(QStringLiteral("zeroTrack"));
    track_->setRange(0, ColdJunctionSession::trackMaximum());
    track_->setMinimumWidth(240);
    row->addWidget(zero_);
    row->addWidget(minus_);
    row->addWidget(track_, 1);
    row->addWidget(plus_);
    connect(minus_, &QPushButton::clicked, this, [this] { runBatch([this] { engine_.step(context_.protocol, -1); }); });
    connect(plus_, &QPushButton::clicked, this, [this] { runBatch([this] { engine_.step(context_.protocol, +1); }); });
    // Every move of the track bar is sent, not only its end.
    connect(track_, &QSlider::valueChanged, this,
            [this](int position) { runBatch([&] { engine_.moveTrack(context_.protocol, position); }); });

    auto* body = new QVBoxLayout;
    body->addWidget(values);
    body->addWidget(zeroGroup);
    auto* columns = new QHBoxLayout;
    columns->addLayout(body, 1);
    columns->addSpacing(8);
    columns->addWidget(makeButtons(kColdJunctionHelpContext));
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(columns, 1);
    outer->addWidget(makeLinkStatusLabel());
    outer->setSizeConstraint(QLayout::SetFixedSize);
    showState();
}

void TCJCalibrate::showState() {
    const ColdJunctionView& view = engine_.view();
    for (std::size_t slot = 0; slot < temperatures_.size(); ++slot)
        temperatures_[slot]->setText(QString::fromStdString(view.temperatures[slot]));
    // Nothing read on opening: nothing shown, nothing to adjust.
    zero_->setText(view.zero ? QString::fromStdString(hexText(*view.zero)) : QString());
    for (QWidget* control : {static_cast<QWidget*>(minus_), static_cast<QWidget*>(track_), static_cast<QWidget*>(plus_)})
        control->setEnabled(view.zero.has_value());
    {
        const QSignalBlocker quiet(track_);
        if (view.zero) track_->setValue(ColdJunctionSession::trackPosition(*view.zero));
    }
    setRevertEnabled(view.revertEnabled);
    showLinkStatus(view.linkStatus);
}

}  // namespace zat
