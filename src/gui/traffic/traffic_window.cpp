#include "gui/traffic/traffic_window.h"

#include "comms/traffic_log.h"
#include "gui/common/text_conversion.h"
#include "gui/traffic/traffic_model.h"
#include "model/file_io.h"
#include "model/profile_file.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <vector>

namespace zat {

namespace {

QPushButton* button(QWidget* parent, const QString& text, const char* name) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

}  // namespace

TrafficWindow::TrafficWindow(TrafficRing& ring, LinkStatistics& statistics, const GuiContext& gui, QWidget* parent)
    : QWidget(parent, Qt::Window), ring_(ring), statistics_(statistics), gui_(gui) {
    setObjectName("trafficWindow");
    setWindowTitle("Traffic");

    model_ = new TrafficModel(ring_, this);
    filter_ = new FailureFilter(*model_, this);
    view_ = new QTableView(this);
    view_->setObjectName("exchanges");
    view_->setModel(filter_);
    view_->setWordWrap(false);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->verticalHeader()->hide();
    // Rows of one height: the view lays out 100,000 of them without measuring each.
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 4);
    view_->horizontalHeader()->setStretchLastSection(true);
    const int digit = view_->fontMetrics().horizontalAdvance('0');
    view_->setColumnWidth(TrafficModel::Time, digit * 25);
    view_->setColumnWidth(TrafficModel::Address, digit * 8);
    view_->setColumnWidth(TrafficModel::Request, digit * 14);
    view_->setColumnWidth(TrafficModel::Reply, digit * 14);
    view_->setColumnWidth(TrafficModel::Ms, digit * 6);

    pause_ = new QCheckBox("&Pause", this);
    pause_->setObjectName("pause");
    auto* failuresOnly = new QCheckBox("&Failures only", this);
    failuresOnly->setObjectName("failuresOnly");
    connect(failuresOnly, &QCheckBox::toggled, this, [this](bool on) { filter_->setFailuresOnly(on); });
    connect(pause_, &QCheckBox::toggled, this, [this](bool paused) {
        if (!paused) refresh();
    });
    QPushButton* clearButton = button(this, "&Clear", "clear");
    connect(clearButton, &QPushButton::clicked, this, &TrafficWindow::clear);
    QPushButton* saveButton = button(this, "&Save...", "save");
    connect(saveButton, &QPushButton::clicked, this, &TrafficWindow::save);
    QPushButton* helpButton = button(this, "&Help", "help");
    connect(helpButton, &QPushButton::clicked, this, [this] {
        if (gui_.showHelp) gui_.showHelp(kHelpContext);
    });

    auto* controls = new QHBoxLayout;
    controls->addWidget(pause_);
    controls->addWidget(failuresOnly);
    controls->addStretch(1);
    controls->addWidget(clearButton);
    controls->addWidget(saveButton);
    controls->addWidget(helpButton);

    auto* statisticsBox = new QGroupBox("Link statistics", this);
    statisticsText_ = new QLabel(statisticsBox);
    statisticsText_->setObjectName("statistics");
    statisticsText_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QPushButton* resetButton = button(statisticsBox, "&Reset", "resetStatistics");
    connect(resetButton, &QPushButton::clicked, this, [this] {
        statistics_.reset();
        showStatistics();
    });
    auto* statisticsLayout = new QHBoxLayout(statisticsBox);
    statisticsLayout->addWidget(statisticsText_, 1);
    statisticsLayout->addWidget(resetButton, 0, Qt::AlignTop);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(view_, 1);
    layout->addWidget(statisticsBox);
    resize(digit * 100, 480);

    timer_ = new QTimer(this);
    timer_->setInterval(kRefreshMs);
    connect(timer_, &QTimer::timeout, this, &TrafficWindow::refresh);
    refresh();
}

// A closed window costs nothing: it catches up when shown again.
void TrafficWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refresh();
    timer_->start();
}

void TrafficWindow::hideEvent(QHideEvent* event) {
    timer_->stop();
    QWidget::hideEvent(event);
}

void TrafficWindow::refresh() {
    showStatistics();
    if (pause_->isChecked()) return;
    const QScrollBar* bar = view_->verticalScrollBar();
    const bool follow = bar->value() >= bar->maximum();
    model_->refresh();
    if (follow) view_->scrollToBottom();
}

void TrafficWindow::showStatistics() {
    QStringList lines;
    for (const auto& [address, unit] : statistics_.byAddress()) {
        lines << QString("Unit %1: %2").arg(address).arg(toQString(statisticsText(unit)));
    }
    const QString text = lines.isEmpty() ? QString("No exchanges counted") : lines.join('\n');
    if (text != statisticsText_->text()) statisticsText_->setText(text);
}

void TrafficWindow::clear() {
    ring_.clear();
    model_->refresh();
}

void TrafficWindow::save() {
    const std::optional<std::string> path = gui_.files.saveFileName(FileDialogRequest{
        .title = "Save traffic",
        .filter = "Traffic log (*.log *.txt);;CSV (*.csv)",
        .defaultExtension = "log",
        .initialDirectory = {},
        .proposedName = "traffic.log",
        .mustExist = false,
        .confirmOverwrite = true,
    });
    if (!path) return;
    std::vector<const ExchangeRecord*> records;
    records.reserve(static_cast<std::size_t>(filter_->rowCount()));
    for (int row = 0; row < filter_->rowCount(); ++row) {
        const int sourceRow = filter_->mapToSource(filter_->index(row, 0)).row();
        if (const ExchangeRecord* record = model_->record(sourceRow)) records.push_back(record);
    }
    const FileResult written = writeFileAtomically(*path, trafficFileText(records, trafficFileFormatFor(*path)));
    if (!written.ok) reportUnableToWrite(gui_.prompts, *path, written.reason);
}

}  // namespace zat
