#include "gui/monitors/monitor_window.h"

#include "comms/link_health.h"
#include "gui/common/accessible_names.h"
#include "gui/common/batch_input.h"
#include "gui/common/link_batch.h"
#include "gui/common/live_value_widgets.h"
#include "gui/common/text_conversion.h"
#include "gui/monitors/monitor_pictures.h"
#include "gui/monitors/monitor_settings.h"
#include "userio/field_check.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QVBoxLayout>

namespace zat {

MonitorWindow::MonitorWindow(const WindowContext& context, const QString& title, PollTimer::Schedule schedule,
                             std::chrono::milliseconds readingPeriod)
    : QDialog(context.parent), context_(context), history_(MonitorHistory::capacityFor(readingPeriod)) {
    setWindowTitle(title);
    setModal(false);
    letEscapeActMidBatch(this);
    timer_ = new PollTimer(context.protocol.link(), schedule,
                           PollTimer::Callbacks{[this] { return tickInterval(); },
                                                [this] {
                                                    runBatch([this] { tickEngine(); });
                                                    takeReadings();
                                                },
                                                [this] { runBatch([this] { reloadEngine(); }); }},
                           this);
}

Outcome MonitorWindow::start() {
    Outcome opened = Outcome::Failed;
    runBatch([&] { opened = openEngine(); });
    if (failed(opened) || closing_) {
        requestClose();
        return Outcome::Failed;
    }
    if (pollsOnShow()) takeReadings();  // showing the loop was its first poll
    timer_->start();
    return Outcome::Ok;
}

void MonitorWindow::sweep() {
    for (int tick = 0; tick < ticksPerSweep() && !closing_; ++tick) {
        runBatch([this] { tickEngine(); });
        takeReadings();
    }
}

void MonitorWindow::requestClose() {
    const bool first = !closing_;
    closing_ = true;
    timer_->stop();
    stopRecording();
    stopEngine();
    hide();
    // While a batch runs the request waits for its end (runBatch sends it).
    if (first && !busy_) emit closeRequested();
}

QString MonitorWindow::linkStatus() const { return linkStatus_ != nullptr ? linkStatus_->text() : QString(); }

void MonitorWindow::runBatch(const std::function<void()>& exchanges) {
    {
        LinkBatch batch;
        busy_ = true;
        exchanges();
        busy_ = false;
    }
    showPage();
    // A page change shows the new page's lines at once, with their past.
    if (trend_ != nullptr && !trend_->isHidden()) trend_->setLines(trendLines());
    emit batchEnded();
    if (closing_) emit closeRequested();
}

QTabBar* MonitorWindow::makeTabs(const std::function<void(int tab)>& select) {
    auto* tabs = new QTabBar(this);
    tabs->setObjectName(QStringLiteral("tabs"));
    tabs->setDrawBase(false);
    tabs->setExpanding(false);
    tabs->setUsesScrollButtons(false);
    connect(tabs, &QTabBar::currentChanged, this, [this, select](int tab) {
        if (tab < 0) return;
        runBatch([&] { select(tab); });
        if (pollsOnShow()) takeReadings();
    });
    return tabs;
}

void MonitorWindow::fillTabs(QTabBar* tabs, const std::vector<std::pair<QIcon, QString>>& entries, int current) {
    const QSignalBlocker quiet(tabs);
    for (const auto& [icon, title] : entries) tabs->addTab(icon, title);
    tabs->setCurrentIndex(current);
}

void MonitorWindow::showLoopTabs(QTabBar* tabs, const QIcon& icon, const std::vector<QString>& titles) {
    const QSignalBlocker quiet(tabs);  // the current loop stays; nothing is reloaded
    for (std::size_t i = 0; i < titles.size(); ++i) {
        const int at = static_cast<int>(i);
        if (at >= tabs->count() || tabs->tabText(at) != titles[i]) tabs->insertTab(at, icon, titles[i]);
    }
}

std::vector<std::pair<QIcon, QString>> MonitorWindow::slotTabEntries(const std::vector<MonitorTab>& tabs,
                                                                     const QString& icon) {
    std::vector<std::pair<QIcon, QString>> entries;
    for (const MonitorTab& tab : tabs) entries.emplace_back(tabIcon(icon, tab.bright), toQString(tab.title));
    return entries;
}

QWidget* MonitorWindow::makeFooter() {
    auto* footer = new QWidget(this);
    footer->setObjectName(QStringLiteral("footer"));
    trend_ = new TrendStrip(history_, context_.gui, footer);
    trendShown_ = new QCheckBox(QStringLiteral("&Trend"), footer);
    trendShown_->setObjectName(QStringLiteral("trendShown"));
    trendShown_->setAccessibleName(QStringLiteral("Show trend"));
    record_ = new QPushButton(QStringLiteral("Rec&ord..."), footer);
    record_->setObjectName(QStringLiteral("record"));
    record_->setAutoDefault(false);
    recordMark_ = new QLabel(footer);
    recordMark_->setObjectName(QStringLiteral("recordMark"));
    recordMark_->setStyleSheet(QStringLiteral("color: #b00000"));
    connect(trendShown_, &QCheckBox::toggled, this, [this](bool shown) {
        monitorSettings().setValue(QString::fromLatin1(kTrendShownKey), shown);
        showTrend(shown);
    });
    connect(record_, &QPushButton::clicked, this, [this] {
        if (recording_.recording()) {
            stopRecording();
        } else {
            chooseRecording();
        }
    });
    auto* controls = new QHBoxLayout;
    controls->addWidget(trendShown_);
    controls->addWidget(record_);
    controls->addWidget(recordMark_, 1);
    linkStatus_ = zat::makeLinkStatusLabel(footer);
    auto* layout = new QVBoxLayout(footer);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(trend_);
    layout->addLayout(controls);
    layout->addWidget(linkStatus_);
    showRecording();
    const bool shown = monitorSettings().value(QString::fromLatin1(kTrendShownKey), false).toBool();
    trendShown_->setChecked(shown);
    trend_->setVisible(shown);
    return footer;
}

void MonitorWindow::showTrend(bool shown) {
    if (trendShown_->isChecked() != shown) {
        trendShown_->setChecked(shown);  // comes back here
        return;
    }
    trend_->setVisible(shown);
    if (shown) {
        trend_->setLines(trendLines());
        trend_->refresh();
    }
}

void MonitorWindow::takeReadings() {
    if (closing_) return;
    const auto now = clock_();
    const std::vector<MonitorReading> readings = polledReadings();
    history_.add(now, readings);
    if (recording_.recording() && !recording_.write(now, readings)) {
        showRecording();
        context_.gui.prompts.show("Unable to write file " + recording_.path() + "\nThe recording has stopped.", "Error",
                                  MessageIcon::Stop, MessageButtons::Ok);
    }
    trend_->refreshSoon();
}

bool MonitorWindow::startRecording(const std::string& path) {
    const FieldCheck<bool> started = recording_.start(path);
    showRecording();
    if (!started.ok()) showFieldMessage(started.message(), context_.gui.prompts, context_.gui.beep);
    return started.ok();
}

void MonitorWindow::stopRecording() {
    recording_.stop();
    if (record_ != nullptr) showRecording();
}

void MonitorWindow::chooseRecording() {
    const auto path = context_.gui.files.saveFileName({.title = "Record readings to",
                                                       .filter = "CSV Files (*.csv)",
                                                       .defaultExtension = "csv",
                                                       .initialDirectory = "",
                                                       .proposedName = "readings.csv",
                                                       .mustExist = false,
                                                       .confirmOverwrite = true});
    if (path) (void)startRecording(*path);  // a refusal has been shown
}

void MonitorWindow::showRecording() {
    const bool on = recording_.recording();
    record_->setText(on ? QStringLiteral("St&op Recording") : QStringLiteral("Rec&ord..."));
    record_->setAccessibleName(on ? QStringLiteral("Stop recording") : QStringLiteral("Record readings"));
    recordMark_->setText(
        on ? QStringLiteral("\u25CF Recording to %1").arg(QFileInfo(toQString(recording_.path())).fileName())
           : QString());
    recordMark_->setToolTip(on ? toQString(recording_.path()) : QString());
    recordMark_->setAccessibleName(recordMark_->text());
    recordMark_->setVisible(on);  // an empty line has nothing to say
}

void MonitorWindow::setClock(TrendClock clock) {
    clock_ = clock;
    trend_->setClock(std::move(clock));
}

void MonitorWindow::toggleTrendOnClick(QWidget* name) {
    name->installEventFilter(this);
    name->setCursor(Qt::PointingHandCursor);
    name->setToolTip(QStringLiteral("Click to show or hide this channel in the trend"));
}

void MonitorWindow::markTrend(const std::string& channel, const std::string& text) {
    history_.mark(clock_(), channel, text);
    trend_->refreshSoon();
}

bool MonitorWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        if (auto* label = qobject_cast<QLabel*>(watched); label != nullptr && !label->text().isEmpty())
            trend_->toggleLine(toUtf8(label->text()));
    }
    return QDialog::eventFilter(watched, event);
}

QWidget* MonitorWindow::makeButtons(int helpContext, QWidget* apply) {
    auto* column = new QWidget(this);
    column->setObjectName(QStringLiteral("buttons"));
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    if (apply != nullptr) layout->addWidget(apply);
    auto* help = new QPushButton(QStringLiteral("&Help"), column);
    help->setObjectName(QStringLiteral("help"));
    help->setAutoDefault(false);
    connect(help, &QPushButton::clicked, this, [this, helpContext] {
        if (context_.gui.showHelp) context_.gui.showHelp(helpContext);
    });
    layout->addWidget(help);
    layout->addStretch();
    return column;
}

void MonitorWindow::showLinkState(QWidget* values) {
    const bool silent = context_.protocol.link().unitSilent();
    if (linkStatus_ != nullptr) showLiveLine(linkStatus_, silent ? toQString(LinkHealth::kNoReplyText) : QString());
    if (values != nullptr) values->setEnabled(!silent);
}

void MonitorWindow::reject() { requestClose(); }

void MonitorWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    requestClose();
}

}  // namespace zat
