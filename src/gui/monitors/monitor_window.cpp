#include "gui/monitors/monitor_window.h"

#include "comms/link_health.h"
#include "gui/common/accessible_names.h"
#include "gui/common/batch_input.h"
#include "gui/common/link_batch.h"
#include "gui/common/live_value_widgets.h"
#include "gui/common/text_conversion.h"
#include "gui/monitors/monitor_pictures.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QVBoxLayout>

namespace zat {

MonitorWindow::MonitorWindow(const WindowContext& context, const QString& title, PollTimer::Schedule schedule)
    : QDialog(context.parent), context_(context) {
    setWindowTitle(title);
    setModal(false);
    letEscapeActMidBatch(this);
    timer_ = new PollTimer(
        context.protocol.link(), schedule,
        PollTimer::Callbacks{[this] { return tickInterval(); }, [this] { runBatch([this] { tickEngine(); }); },
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
    timer_->start();
    return Outcome::Ok;
}

void MonitorWindow::sweep() {
    for (int tick = 0; tick < ticksPerSweep() && !closing_; ++tick) runBatch([this] { tickEngine(); });
}

void MonitorWindow::requestClose() {
    const bool first = !closing_;
    closing_ = true;
    timer_->stop();
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
        if (tab >= 0) runBatch([&] { select(tab); });
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

QLabel* MonitorWindow::makeLinkStatusLabel() {
    linkStatus_ = zat::makeLinkStatusLabel(this);
    return linkStatus_;
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
