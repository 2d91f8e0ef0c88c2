// The traffic window over a real main window and the simulated unit: it fills
// during an export, Pause holds the view, the failure filter, Save as CSV.
#include "comms/traffic_log.h"
#include "gui/shell/command_table.h"
#include "gui/shell/shell_status_bar.h"
#include "gui/traffic/traffic_model.h"
#include "gui/traffic/traffic_window.h"
#include "support/window_rig.h"
#include "support/window_views.h"

#include <QCheckBox>
#include <QTest>

#include <sstream>

using namespace zat;
using zat::test::WindowRig;

namespace {

// A unit that drops one reply and garbles another during the export.
void startWithFaults(WindowRig& rig) {
    sim::FaultPlan faults;
    faults.scheduleAt(6, sim::Fault::Drop);
    faults.scheduleAt(20, sim::Fault::Garble);
    rig.attachUnit(std::move(faults));
    rig.start(rig.writeQuickDatabase("plant.zat", 2));
}

void exportAnalogInputs(WindowRig& rig) {
    rig.dialogs.script.push_back([](QDialog& dialog) {
        for (int group = 0; group < 7; ++group) {
            dialog.findChild<QCheckBox*>(QString("group%1").arg(group + 1))->setChecked(group == 0);
        }
        return zat::test::press(dialog, "ok");
    });
    rig.window->runCommand(cmd::Export);
}

QString cell(TrafficWindow& window, int row, int column) {
    return window.filter().index(row, column).data().toString();
}

// One CSV line's fields, quotes undone.
QStringList csvFields(const std::string& line) {
    QStringList fields{QString()};
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
            fields.back() += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            fields << QString();
        } else {
            fields.back() += QChar::fromLatin1(c);
        }
    }
    return fields;
}

}  // namespace

class TrafficWindowTest : public QObject {
    Q_OBJECT
private slots:
    void fillsDuringAnExportAndMarksTheFailures();
    void pauseHoldsTheView();
    void theFilterShowsOnlyFailures();
    void savedCsvRoundTrips();
};

void TrafficWindowTest::fillsDuringAnExportAndMarksTheFailures() {
    WindowRig rig;
    startWithFaults(rig);
    rig.window->runCommand(cmd::Traffic);
    rig.window->runCommand(cmd::Traffic);  // one window, raised again
    QCOMPARE(rig.window->findChildren<TrafficWindow*>().size(), qsizetype(1));
    TrafficWindow& window = *rig.window->findChild<TrafficWindow*>();
    QVERIFY(window.isVisible());

    bool exporting = true;
    int rowsDuringExport = 0;
    connect(&window.model(), &QAbstractItemModel::rowsInserted, this,
            [&](const QModelIndex&, int first, int last) { rowsDuringExport += exporting ? last - first + 1 : 0; });
    exportAnalogInputs(rig);
    exporting = false;
    QVERIFY(rowsDuringExport > 0);
    window.refresh();

    const std::size_t sent = rig.requests().size();
    QCOMPARE(static_cast<std::size_t>(window.model().rowCount()), sent);
    QCOMPARE(cell(window, window.model().rowCount() - 1, TrafficModel::Request), QString("S01I"));
    int failures = 0;
    for (int row = 0; row < window.model().rowCount(); ++row) {
        if (cell(window, row, TrafficModel::Outcome) == "answered") continue;
        ++failures;
        QVERIFY(window.filter().index(row, 0).data(Qt::BackgroundRole).isValid());
    }
    QCOMPARE(failures, 2);
    QCOMPARE(cell(window, 5, TrafficModel::Outcome), QString("timed out (try 1 of 3)"));

    // The status bar's fields tell the same statistics.
    const QString tip = rig.window->findChild<ShellStatusBar*>()->trafficToolTip();
    QVERIFY2(tip.startsWith(QString("Unit 1: sent %1, answered %2, timed out 1, bad echo 1").arg(sent).arg(sent - 2)),
             qPrintable(tip));
}

void TrafficWindowTest::pauseHoldsTheView() {
    WindowRig rig;
    startWithFaults(rig);
    TrafficWindow& window = rig.window->showTraffic();
    window.refresh();
    const int before = window.model().rowCount();
    window.findChild<QCheckBox*>("pause")->setChecked(true);
    UnitProtocol& protocol = rig.window->windowContext().protocol;
    for (int n = 0; n < 3; ++n) QCOMPARE(protocol.checkUnit(false), Outcome::Ok);
    QTest::qWait(2 * TrafficWindow::kRefreshMs);
    QCOMPARE(window.model().rowCount(), before);
    window.findChild<QCheckBox*>("pause")->setChecked(false);
    QCOMPARE(window.model().rowCount(), before + 3);
}

void TrafficWindowTest::theFilterShowsOnlyFailures() {
    WindowRig rig;
    startWithFaults(rig);
    TrafficWindow& window = rig.window->showTraffic();
    exportAnalogInputs(rig);
    window.refresh();
    window.findChild<QCheckBox*>("failuresOnly")->setChecked(true);
    QCOMPARE(window.filter().rowCount(), 2);
    QVERIFY(cell(window, 0, TrafficModel::Outcome).startsWith("timed out"));
    QVERIFY(cell(window, 1, TrafficModel::Outcome).startsWith("bad echo"));
    window.findChild<QCheckBox*>("failuresOnly")->setChecked(false);
    QCOMPARE(window.filter().rowCount(), window.model().rowCount());
}

void TrafficWindowTest::savedCsvRoundTrips() {
    WindowRig rig;
    startWithFaults(rig);
    TrafficWindow& window = rig.window->showTraffic();
    exportAnalogInputs(rig);
    window.refresh();
    const std::string path = rig.dir.file("traffic.csv");
    rig.files.answers.push_back(path);
    window.save();
    QVERIFY(rig.prompts.shown.empty());

    std::istringstream in(zat::test::readFile(path));
    std::string line;
    std::getline(in, line);
    QCOMPARE(line, std::string(kTrafficCsvHeader));
    int row = 0;
    for (; std::getline(in, line); ++row) {
        const QStringList fields = csvFields(line);
        QCOMPARE(fields.size(), qsizetype(6));
        for (int column : {TrafficModel::Time, TrafficModel::Address, TrafficModel::Request, TrafficModel::Reply,
                           TrafficModel::Ms}) {
            QCOMPARE(fields[column], cell(window, row, column));
        }
        QVERIFY(cell(window, row, TrafficModel::Outcome).startsWith(fields[TrafficModel::Outcome]));
    }
    QCOMPARE(row, window.model().rowCount());
}

QTEST_MAIN(TrafficWindowTest)
#include "traffic_window_qtest.moc"
