#include "gui/calibration/cj_calibrate.h"

#include "gui/common/accessible_names.h"
#include "gui/common/text_conversion.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace zat {

namespace {
QString slotTitle(int slot) { return QStringLiteral("Slot %1").arg(slot + 1); }
}  // namespace

TCJCalibrate::TCJCalibrate(const WindowContext& context)
    : CalibrationWindow(context, QStringLiteral("Cold Junction Calibration")) {
    auto* values = new QGroupBox(QStringLiteral("Values"), this);
    auto* grid = new QGridLayout(values);
    for (int slot = 0; slot < kColdJunctionSlots; ++slot) {
        grid->addWidget(new QLabel(slotTitle(slot), values), slot, 0);
        temperatures_[static_cast<std::size_t>(slot)] =
            makeValueCell(values, QStringLiteral("temperature%1").arg(slot), QStringLiteral("-3276.8\u00B0C"));
        grid->addWidget(temperatures_[static_cast<std::size_t>(slot)], slot, 1);
    }
    grid->setColumnStretch(2, 1);

    auto* zeroGroup = new QGroupBox(QStringLiteral("Zero"), this);
    auto* row = new QHBoxLayout(zeroGroup);
    zero_ = makeConstantControls(zeroGroup, *row, QStringLiteral("zero"), zeroGroup->title(),
                                 ColdJunctionSession::trackMaximum(), 240);
    connect(zero_.minus, &QPushButton::clicked, this,
            [this] { runBatch([this] { engine_.step(context_.protocol, -1); }); });
    connect(zero_.plus, &QPushButton::clicked, this,
            [this] { runBatch([this] { engine_.step(context_.protocol, +1); }); });
    // Every move of the track bar is sent, not only its end.
    connect(zero_.track, &QSlider::valueChanged, this,
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
    for (std::size_t slot = 0; slot < temperatures_.size(); ++slot) {
        temperatures_[slot]->setText(toQString(view.temperatures[slot]));
        nameLiveValue(temperatures_[slot], slotTitle(static_cast<int>(slot)), temperatures_[slot]->text());
    }
    // Nothing read on opening: nothing shown, nothing to adjust.
    showConstant(zero_, view.zero, view.zero ? ColdJunctionSession::trackPosition(*view.zero) : 0);
    setRevertEnabled(view.revertEnabled);
    showLinkStatus(view.problem.empty() ? view.linkStatus : view.problem);
}

}  // namespace zat
