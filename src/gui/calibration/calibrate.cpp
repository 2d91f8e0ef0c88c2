#include "gui/calibration/calibrate.h"

#include "gui/common/accessible_names.h"
#include "gui/common/text_conversion.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QTabBar>
#include <QVBoxLayout>

#include <algorithm>

namespace zat {

namespace {
QString currentValueCaption() { return QStringLiteral("Current Value"); }
}  // namespace

TCalibrate::TCalibrate(const WindowContext& context, const CalibrationDialogConfig& config)
    : CalibrationWindow(context, QStringLiteral("Calibration")), engine_(config) {
    auto* title = new QLabel(toQString(config.title), this);
    title->setObjectName(QStringLiteral("title"));
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    title->setFont(bold);

    tabs_ = new QTabBar(this);
    tabs_->setObjectName(QStringLiteral("tabs"));
    tabs_->setDrawBase(false);
    tabs_->setExpanding(false);
    connect(tabs_, &QTabBar::currentChanged, this, [this](int tab) {
        if (tab >= 0) selectChannel();
    });

    auto* channelBox = new QGroupBox(this);
    auto* channelRow = new QHBoxLayout(channelBox);
    auto* channelLabel = new QLabel(QStringLiteral("Channel"), channelBox);
    channelRow->addWidget(channelLabel);
    channel_ = new QSpinBox(channelBox);
    channelLabel->setBuddy(channel_);
    channel_->setObjectName(QStringLiteral("channel"));
    channel_->setRange(1, config.channelsPerSlot);
    channel_->setValue(1);
    connect(channel_, &QSpinBox::valueChanged, this, [this] { selectChannel(); });
    channelRow->addWidget(channel_);
    name_ = new QLabel(channelBox);
    name_->setObjectName(QStringLiteral("name"));
    name_->setMinimumWidth(name_->fontMetrics().horizontalAdvance(QStringLiteral("A00")) + 8);
    channelRow->addWidget(name_);
    channelRow->addSpacing(16);
    channelRow->addWidget(new QLabel(currentValueCaption(), channelBox));
    value_ = makeValueCell(channelBox, QStringLiteral("value"), QStringLiteral("-3276.8\u00B0C"));
    channelRow->addWidget(value_);
    range_ = new QLabel(channelBox);
    range_->setObjectName(QStringLiteral("range"));
    range_->setMinimumWidth(range_->fontMetrics().horizontalAdvance(QStringLiteral("Resistance Range")) + 8);
    channelRow->addWidget(range_);
    channelRow->addStretch();

    auto* body = new QVBoxLayout;
    body->addWidget(title);
    body->addWidget(tabs_);
    body->addWidget(channelBox);
    body->addWidget(makeConstantRow(QStringLiteral("Zero"), QStringLiteral("zero"), engine_.zeroTrack(), zero_));
    body->addWidget(makeConstantRow(QStringLiteral("Span"), QStringLiteral("span"), engine_.spanTrack(), span_));
    // Both rows' value fields and controls line up.
    const int forceWidth = std::max(zero_.force->sizeHint().width(), span_.force->sizeHint().width());
    zero_.force->setFixedWidth(forceWidth);
    span_.force->setFixedWidth(forceWidth);
    connect(zero_.force, &QCheckBox::clicked, this,
            [this] { runBatch([this] { engine_.forceZero(context_.protocol); }); });
    connect(span_.force, &QCheckBox::clicked, this,
            [this] { runBatch([this] { engine_.forceSpan(context_.protocol); }); });
    connect(zero_.minus, &QPushButton::clicked, this,
            [this] { runBatch([this] { engine_.stepZero(context_.protocol, -1); }); });
    connect(zero_.plus, &QPushButton::clicked, this,
            [this] { runBatch([this] { engine_.stepZero(context_.protocol, +1); }); });
    connect(span_.minus, &QPushButton::clicked, this,
            [this] { runBatch([this] { engine_.stepSpan(context_.protocol, -1); }); });
    connect(span_.plus, &QPushButton::clicked, this,
            [this] { runBatch([this] { engine_.stepSpan(context_.protocol, +1); }); });
    // A drag writes when it ends; a key, wheel or page step at once (the
    // wheel's step is a move too, but with the thumb not held).
    const auto connectTrack = [this](QSlider* track, void (CalibrationSession::*move)(UnitProtocol&, int)) {
        connect(track, &QSlider::sliderReleased, this,
                [this, track, move] { runBatch([&] { (engine_.*move)(context_.protocol, track->value()); }); });
        connect(track, &QSlider::actionTriggered, this, [this, track, move](int action) {
            if (action == QAbstractSlider::SliderMove && track->isSliderDown()) return;
            runBatch([&] { (engine_.*move)(context_.protocol, track->sliderPosition()); });
        });
    };
    connectTrack(zero_.track, &CalibrationSession::moveZeroTrack);
    connectTrack(span_.track, &CalibrationSession::moveSpanTrack);

    auto* row = new QHBoxLayout;
    row->addLayout(body, 1);
    row->addSpacing(8);
    row->addWidget(makeButtons(config.helpContext));
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(row, 1);
    outer->addWidget(makeLinkStatusLabel());
    outer->setSizeConstraint(QLayout::SetFixedSize);
    showState();
}

QWidget* TCalibrate::makeConstantRow(const QString& title, const QString& name, const TrackMapping& mapping,
                                     ConstantRow& row) {
    auto* group = new QGroupBox(title, this);
    group->setObjectName(name + QStringLiteral("Group"));
    auto* layout = new QHBoxLayout(group);
    row.force = new QCheckBox(QStringLiteral("Force ") + title, group);
    row.force->setObjectName(QStringLiteral("force") + title);
    row.force->setVisible(engine_.config().outputs);
    layout->addWidget(row.force);
    static_cast<ConstantControls&>(row) = makeConstantControls(group, *layout, name, title, mapping.maximum(), 320);
    return group;
}

Outcome TCalibrate::openEngine() {
    const Outcome opened = engine_.open(context_.protocol);
    if (succeeded(opened)) {
        const QSignalBlocker quiet(tabs_);
        for (const std::string& tab : engine_.view().tabs) tabs_->addTab(toQString(tab));
        tabs_->setCurrentIndex(0);
    }
    return opened;
}

void TCalibrate::selectChannel() {
    // The value timer starts again from the new channel.
    pollTimer().stop();
    runBatch([this] { engine_.selectChannel(context_.protocol, tabs_->currentIndex(), channel_->value()); });
    if (!closing_) pollTimer().start();
}

void TCalibrate::showState() {
    const CalibrationView& view = engine_.view();
    showLiveLine(name_, toQString(view.channelName));
    value_->setText(toQString(view.presentValue));
    nameLiveValue(value_, currentValueCaption(), value_->text());
    showLiveLine(range_, toQString(view.rangeText));
    // Unread on this channel: nothing to adjust, nothing shown.
    showConstant(zero_, view.zero, view.zero ? engine_.zeroTrack().position(*view.zero) : 0);
    showConstant(span_, view.span, view.span ? engine_.spanTrack().position(*view.span) : 0);
    zero_.force->setChecked(view.forceZero);
    span_.force->setChecked(view.forceSpan);
    const bool chosen = !view.channelName.empty();
    zero_.force->setEnabled(chosen);
    span_.force->setEnabled(chosen);
    setRevertEnabled(view.revertEnabled);
    showLinkStatus(view.problem.empty() ? view.linkStatus : view.problem);
}

void TCalibrate::done(int result) {
    closing_ = true;
    pollTimer().stop();
    if (!engine_.view().tabs.empty()) runBatch([this] { (void)engine_.releaseForcedOutputs(context_.protocol); });
    CalibrationWindow::done(result);
}

}  // namespace zat
