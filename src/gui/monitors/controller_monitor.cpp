#include "gui/monitors/controller_monitor.h"

#include "gui/common/field_refusal.h"
#include "gui/common/text_conversion.h"
#include "gui/monitors/monitor_layout.h"
#include "gui/monitors/monitor_pictures.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QVBoxLayout>

namespace zat {

namespace {

constexpr int kTermChars = 5;
constexpr int kBarRange = 2000;  // an output of -1000..+1000, shifted

QLabel* codeLabel(QWidget* parent, const QString& name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("(A40)")));
    return label;
}

}  // namespace

TPIDMonitor::TPIDMonitor(const WindowContext& context)
    : MonitorWindow(context, QStringLiteral("Controller monitor"), PollTimer::Schedule::AfterPoll,
                    ControllerMonitor::kPollInterval),
      engine_(context.db, context.image) {
    tabs_ = makeTabs([this](int tab) { engine_.selectTab(context_.protocol, tab); });
    values_ = new QWidget(this);

    auto* inputs = new QGroupBox(QStringLiteral("Inputs"), values_);
    measured_ = makeValueEdit(inputs, QStringLiteral("measured"), QStringLiteral("Broken-32768"));
    setpoint_ = makeValueEdit(inputs, QStringLiteral("setpoint"), QStringLiteral("Broken-32768"));
    measuredCode_ = codeLabel(inputs, QStringLiteral("measuredCode"));
    setpointCode_ = codeLabel(inputs, QStringLiteral("setpointCode"));
    auto* inputGrid = new QGridLayout(inputs);
    const auto labelFor = [inputs](const char* text, QWidget* value) {
        auto* label = new QLabel(toQString(text), inputs);
        label->setBuddy(value);
        return label;
    };
    inputGrid->addWidget(labelFor("Measured", measured_), 0, 0);
    inputGrid->addWidget(measured_, 0, 1);
    inputGrid->addWidget(measuredCode_, 0, 2);
    inputGrid->addWidget(labelFor("Setpoint", setpoint_), 1, 0);
    inputGrid->addWidget(setpoint_, 1, 1);
    inputGrid->addWidget(setpointCode_, 1, 2);

    auto* outputBox = new QGroupBox(QStringLiteral("Output"), values_);
    output_ = new QProgressBar(outputBox);
    output_->setObjectName(QStringLiteral("output"));
    output_->setRange(0, kBarRange);
    output_->setTextVisible(false);
    output_->setMinimumWidth(180);
    outputCode_ = codeLabel(outputBox, QStringLiteral("outputCode"));
    auto* outputLine = new QHBoxLayout(outputBox);
    outputLine->addWidget(output_, 1);
    outputLine->addWidget(outputCode_);

    auto* termBox = new QGroupBox(QStringLiteral("Terms"), values_);
    auto* termGrid = new QGridLayout(termBox);
    const char* names[kControllerTerms] = {"P", "I", "D"};
    const char* units[kControllerTerms] = {"Digits", "Sec", "Sec"};
    for (int k = 0; k < kControllerTerms; ++k) {
        auto* edit = new QLineEdit(termBox);
        edit->setObjectName(QString::fromLatin1(names[k]).toLower());
        edit->setMaxLength(kTermChars);
        edit->setAlignment(Qt::AlignRight);
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("-99999")) + 16);
        connect(edit, &QLineEdit::textEdited, this, [this, k](const QString& text) {
            engine_.setTerm(k, toUtf8(text));
            apply_->setEnabled(engine_.page().applyEnabled);
        });
        terms_[static_cast<std::size_t>(k)] = edit;
        auto* label = new QLabel(toQString(names[k]), termBox);
        label->setBuddy(edit);
        termGrid->addWidget(label, k, 0);
        termGrid->addWidget(edit, k, 1);
        termGrid->addWidget(new QLabel(toQString(units[k]), termBox), k, 2);
    }

    auto* column = new QVBoxLayout(values_);
    column->setContentsMargins(0, 6, 0, 0);
    auto* top = new QHBoxLayout;
    top->addWidget(inputs);
    top->addWidget(termBox);
    column->addLayout(top);
    column->addWidget(outputBox);

    apply_ = new QPushButton(QStringLiteral("&Apply"), this);
    apply_->setObjectName(QStringLiteral("apply"));
    apply_->setEnabled(false);
    connect(apply_, &QPushButton::clicked, this, [this] { apply(); });
    layOutMonitor(*this, tabs_, values_, makeButtons(kHelpContext, apply_), makeFooter());
    showPage();
}

void TPIDMonitor::reloadEngine() { engine_.selectTab(context_.protocol, tabs_->currentIndex()); }

Outcome TPIDMonitor::openEngine() {
    const Outcome opened = engine_.open(context_.protocol);
    if (succeeded(opened)) showTabs();
    return opened;
}

void TPIDMonitor::showTabs() {
    std::vector<QString> titles;
    for (const ControllerMonitorTab& tab : engine_.page().tabs) titles.push_back(toQString(tab.title));
    showLoopTabs(tabs_, QIcon(QStringLiteral(":/icons/tab_controller_enabled.svg")), titles);
}

void TPIDMonitor::apply() {
    std::vector<TermRefusal> refusals;
    runBatch([&] { refusals = engine_.apply(context_.protocol); });
    if (refusals.empty()) {
        // The tuning view shows when the loop got its new terms.
        const ControllerMonitorPage& page = engine_.page();
        markTrend(controllerReading(page).channel,
                  "Apply P=" + page.terms[0] + " I=" + page.terms[1] + " D=" + page.terms[2]);
    }
    for (const TermRefusal& refusal : refusals) {
        refuseField(refusal.message, terms_[static_cast<std::size_t>(refusal.term)], context_.gui);
    }
}

std::vector<MonitorReading> TPIDMonitor::polledReadings() const { return {controllerReading(engine_.page())}; }

std::vector<TrendLine> TPIDMonitor::trendLines() const {
    if (engine_.page().tabs.empty()) return {};
    return loopTrendLines(controllerReading(engine_.page()).channel, "OP", QStringLiteral("Output %"),
                          TrendAxis::Output);
}

void TPIDMonitor::showPage() {
    const ControllerMonitorPage& page = engine_.page();
    showTabs();
    if (!page.windowTitle.empty()) setWindowTitle(toQString(page.windowTitle));
    measured_->setText(toQString(page.measured));
    setpoint_->setText(toQString(page.setpoint));
    measuredCode_->setText(toQString(page.measuredCode));
    setpointCode_->setText(toQString(page.setpointCode));
    outputCode_->setText(toQString(page.outputCode));
    if (page.outputBar) {
        output_->setValue(*page.outputBar);
    } else {
        output_->reset();
    }
    for (std::size_t k = 0; k < terms_.size(); ++k) {
        const QString term = toQString(page.terms[k]);
        if (terms_[k]->text() != term) terms_[k]->setText(term);
    }
    apply_->setEnabled(page.applyEnabled);
    showLinkState(values_);
}

}  // namespace zat
