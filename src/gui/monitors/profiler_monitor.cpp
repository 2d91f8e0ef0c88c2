#include "gui/monitors/profiler_monitor.h"

#include "gui/common/accessible_names.h"
#include "gui/common/field_refusal.h"
#include "gui/common/text_conversion.h"
#include "gui/monitors/monitor_layout.h"
#include "gui/monitors/monitor_pictures.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabBar>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <functional>

namespace zat {

// The "Profile #" number with its up-down arrows. An arrow does not move the
// number itself: the monitor writes the new profile to the unit and shows it.
// Only the arrows (buttons or keys) choose: a stray scroll of the wheel over
// the number would change the profile the unit runs next.
class ProfileChoice final : public QSpinBox {
public:
    static constexpr int kUnread = -1;  // shown blank

    ProfileChoice(QWidget* parent, std::function<void(int step)> stepped)
        : QSpinBox(parent), stepped_(std::move(stepped)) {
        setRange(kUnread, 99999);  // shows whatever number the unit holds
        setSpecialValueText(QStringLiteral(" "));
        setAlignment(Qt::AlignRight);
        lineEdit()->setReadOnly(true);
    }
    void stepBy(int steps) override { stepped_(steps); }

protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }
    void wheelEvent(QWheelEvent* event) override { event->ignore(); }

private:
    std::function<void(int)> stepped_;
};

namespace {

QLabel* codeLabel(QWidget* parent, const QString& name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("(A40)")));
    return label;
}

QLineEdit* numberCell(QWidget* parent, const QString& name) {
    return makeValueEdit(parent, name, QStringLiteral("Broken-32768"));
}

}  // namespace

TProfMonitor::TProfMonitor(const WindowContext& context)
    : MonitorWindow(context, QStringLiteral("Profiler Monitor"), PollTimer::Schedule::AfterPoll), engine_(context.db) {
    tabs_ = makeTabs([this](int tab) { engine_.selectTab(context_.protocol, tab); });
    values_ = new QWidget(this);
    auto* row = new QHBoxLayout(values_);
    row->setContentsMargins(0, 6, 0, 0);
    row->addWidget(buildValues());
    row->addWidget(buildRunControls());
    layOutMonitor(*this, tabs_, values_, makeButtons(kHelpContext), makeLinkStatusLabel());
    showPage();
}

QWidget* TProfMonitor::buildValues() {
    auto* status = new QGroupBox(QStringLiteral("Profile Status"), values_);
    measured_ = numberCell(status, QStringLiteral("measured"));
    setpoint_ = numberCell(status, QStringLiteral("setpoint"));
    measuredCode_ = codeLabel(status, QStringLiteral("measuredCode"));
    outputCode_ = codeLabel(status, QStringLiteral("outputCode"));
    profile_ = new ProfileChoice(status,
                                 [this](int step) { runBatch([&] { engine_.stepProfile(context_.protocol, step); }); });
    profile_->setObjectName(QStringLiteral("profile"));
    profile_->setFixedWidth(measured_->width());
    segment_ = numberCell(status, QStringLiteral("segment"));
    arrow_ = new QLabel(status);
    arrow_->setObjectName(QStringLiteral("arrow"));
    arrow_->setFixedSize(16, 16);
    keepPlaceWhenHidden(arrow_);
    dwell_ = numberCell(status, QStringLiteral("dwell"));

    auto* grid = new QGridLayout(status);
    auto add = [&](int line, const char* caption, QWidget* cell, QWidget* beside) {
        auto* label = new QLabel(toQString(caption), status);
        label->setBuddy(cell);
        grid->addWidget(label, line, 0);
        grid->addWidget(cell, line, 1);
        if (beside != nullptr) grid->addWidget(beside, line, 2);
    };
    add(0, "Measured", measured_, measuredCode_);
    add(1, "Setpoint", setpoint_, outputCode_);
    add(2, "Profile #", profile_, nullptr);
    add(3, "Segment #", segment_, arrow_);
    add(4, "Dwell Elapsed", dwell_, new QLabel(QStringLiteral("mins"), status));
    return status;
}

QWidget* TProfMonitor::buildRunControls() {
    auto* column = new QWidget(values_);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* runStatus = new QGroupBox(QStringLiteral("Run Status"), column);
    auto* lamps = new QGridLayout(runStatus);
    auto lamp = [&](int line, LampColour colour, const char* name, const char* caption) {
        auto* shown = new Lamp(colour, runStatus);
        shown->setObjectName(QString::fromLatin1(name));
        shown->setCaption(toQString(caption));  // "Held on"
        lamps->addWidget(shown, line, 0);
        lamps->addWidget(new QLabel(toQString(caption), runStatus), line, 1);
        return shown;
    };
    running_ = lamp(0, LampColour::Green, "running", "Running");
    stopped_ = lamp(1, LampColour::Red, "stopped", "Stopped");
    held_ = lamp(2, LampColour::Yellow, "held", "Held");

    auto* controlBox = new QGroupBox(QStringLiteral("Run Control"), column);
    auto* buttons = new QVBoxLayout(controlBox);
    auto button = [&](const char* text, const char* name) {
        auto* pushed = new QPushButton(toQString(text), controlBox);
        pushed->setObjectName(QString::fromLatin1(name));
        pushed->setAutoDefault(false);
        buttons->addWidget(pushed);
        return pushed;
    };
    start_ = button("&Start", "start");
    reset_ = button("&Reset", "reset");
    hold_ = button("&Hold", "hold");
    hold_->setCheckable(true);
    connect(start_, &QPushButton::clicked, this, [this] { runControl(&ProfilerMonitor::start); });
    connect(reset_, &QPushButton::clicked, this, [this] { runControl(&ProfilerMonitor::reset); });
    connect(hold_, &QPushButton::clicked, this,
            [this](bool checked) { runBatch([&] { engine_.setHold(context_.protocol, checked); }); });

    layout->addWidget(runStatus);
    layout->addWidget(controlBox);
    layout->addStretch();
    return column;
}

void TProfMonitor::runControl(std::optional<FieldMessage> (ProfilerMonitor::*command)(UnitProtocol&)) {
    std::optional<FieldMessage> problem;
    runBatch([&] { problem = (engine_.*command)(context_.protocol); });
    if (problem) refuseField(*problem, nullptr, context_.gui);
}

void TProfMonitor::reloadEngine() { engine_.selectTab(context_.protocol, tabs_->currentIndex()); }

Outcome TProfMonitor::openEngine() {
    const Outcome opened = engine_.open(context_.protocol);
    if (succeeded(opened)) showTabs();
    return opened;
}

void TProfMonitor::showTabs() {
    std::vector<QString> titles;
    for (const ProfilerMonitorTab& tab : engine_.page().tabs) titles.push_back(toQString(tab.title));
    showLoopTabs(tabs_, QIcon(QStringLiteral(":/icons/tab_profiler_enabled.svg")), titles);
}

void TProfMonitor::showPage() {
    const ProfilerMonitorPage& page = engine_.page();
    showTabs();
    if (!page.windowTitle.empty()) setWindowTitle(toQString(page.windowTitle));
    measured_->setText(toQString(page.measured));
    setpoint_->setText(toQString(page.setpoint));
    measuredCode_->setText(toQString(page.measuredCode));
    outputCode_->setText(toQString(page.outputCode));
    profile_->setValue(page.profile.empty() ? ProfileChoice::kUnread : toQString(page.profile).toInt());
    profile_->setEnabled(page.profileChoiceEnabled);
    segment_->setText(toQString(page.segment));
    dwell_->setText(toQString(page.dwell));
    arrow_->setPixmap(arrowPixmap(page.arrow));
    arrow_->setVisible(page.arrow != ProfileArrow::None);
    nameLiveValue(arrow_, QStringLiteral("Segment"), arrowName(page.arrow));
    running_->setLit(page.running);
    stopped_->setLit(!page.running);
    held_->setLit(page.held);
    start_->setEnabled(page.startEnabled);
    reset_->setEnabled(page.resetEnabled);
    hold_->setEnabled(page.holdEnabled);
    hold_->setChecked(page.holdChecked);
    showLinkState(values_);
}

}  // namespace zat
