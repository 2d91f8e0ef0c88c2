// The monitors' trends and recordings against the simulated demo kiln: the
// controller's trend fills with measured value, setpoint and output, an
// Apply of new terms is marked, a gap stays a gap, and Record writes each
// poll's readings while the monitor polls, until stopped.
#include "gui/monitors/monitor_window.h"
#include "gui/shell/command_table.h"
#include "sim/plant_setup.h"
#include "support/window_rig.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

#include <fstream>
#include <sstream>

using namespace zat;
using zat::test::WindowRig;

namespace {

MonitorWindow* openOnDemoKiln(WindowRig& rig, int command, MonitorSlot slot) {
    rig.unit = std::make_unique<sim::PtyUnit>(sim::UnitConfig{}, sim::LineTiming{});
    rig.unit->withState([](sim::UnitState& state) {
        (void)sim::loadPlantSetup(sim::demoPlantText(), state);
        sim::startEnabledProfilers(state);
    });
    rig.unit->start();
    rig.start(rig.writeQuickDatabase("quick.zat", 2));
    rig.window->runCommand(command);
    return rig.window->monitor(slot);
}

std::vector<std::string> linesOf(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace

class MonitorTrendTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void theControllerTrendFillsWithMeasuredSetpointAndOutput();
    void anApplyOfNewTermsIsMarked();
    void aSilentPollIsAGapInTheTrend();
    void aPageShownAgainHasItsPast();
    void recordWritesRowsWhilePollingAndStopsCleanly();
    void anUnwritableRecordingIsRefusedWhenChosen();
};

void MonitorTrendTest::initTestCase() {
    // The remembered choices go to a folder of the test's own.
    static test::TempDir config;
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config.path()));
}

void MonitorTrendTest::theControllerTrendFillsWithMeasuredSetpointAndOutput() {
    WindowRig rig;
    MonitorWindow* monitor = openOnDemoKiln(rig, cmd::MonitorControllers, MonitorSlot::Controllers);
    QVERIFY(monitor != nullptr);
    monitor->findChild<QCheckBox*>(QStringLiteral("trendShown"))->click();
    QVERIFY(!monitor->trend()->isHidden());
    for (int poll = 0; poll < 3; ++poll) monitor->sweep();
    monitor->trend()->refresh();  // else drawn in a turn of its own
    // Opening polled the loop once, then three sweeps.
    for (const char* line : {"PID1 MV", "PID1 SP", "PID1 OP"}) {
        QCOMPARE(monitor->history().samples(line).size(), 4u);
        // Polls closer than the chart's resolution (a 600th of the span) share a point.
        QVERIFY(monitor->trend()->pointCount(line) >= 2 && monitor->trend()->pointCount(line) <= 4);
        QVERIFY(monitor->trend()->lineShown(line));
    }
    for (const auto& sample : monitor->history().samples("PID1 OP")) QVERIFY(sample.value >= 0 && sample.value <= 100);
    // A click on the legend switches a line off and on.
    monitor->trend()->toggleLine("PID1 SP");
    QVERIFY(!monitor->trend()->lineShown("PID1 SP"));
    monitor->trend()->toggleLine("PID1 SP");
    QVERIFY(monitor->trend()->lineShown("PID1 SP"));
}

void MonitorTrendTest::anApplyOfNewTermsIsMarked() {
    WindowRig rig;
    MonitorWindow* monitor = openOnDemoKiln(rig, cmd::MonitorControllers, MonitorSlot::Controllers);
    QVERIFY(monitor != nullptr);
    monitor->showTrend(true);
    monitor->sweep();
    QCOMPARE(monitor->trend()->markCount(), 0);
    auto* p = monitor->findChild<QLineEdit*>(QStringLiteral("p"));
    p->selectAll();
    QTest::keyClicks(p, QStringLiteral("60"));
    monitor->findChild<QPushButton*>(QStringLiteral("apply"))->click();
    QCOMPARE(rig.messages(), std::vector<std::string>{});
    QCOMPARE(monitor->history().marks().size(), 1u);
    QCOMPARE(monitor->history().marks().front().series, std::string("PID1"));
    QCOMPARE(monitor->history().marks().front().text, std::string("Apply P=60 I=240 D=40"));
    monitor->sweep();
    monitor->trend()->refresh();
    QCOMPARE(monitor->trend()->markCount(), 1);
}

void MonitorTrendTest::aSilentPollIsAGapInTheTrend() {
    WindowRig rig;
    MonitorWindow* monitor = openOnDemoKiln(rig, cmd::MonitorAnalogInputs, MonitorSlot::AnalogInputs);
    QVERIFY(monitor != nullptr);
    monitor->showTrend(true);
    monitor->sweep();
    rig.unit->setSilent(true);
    monitor->sweep();
    rig.unit->setSilent(false);
    QTest::qWait(5200);  // the back-off of a silent unit: one poll every 5 s
    monitor->sweep();
    monitor->sweep();
    monitor->trend()->refresh();
    // A01 (row 1) read, missed, read again: two runs on the chart, the miss kept.
    const auto samples = monitor->history().samples("A01");
    QVERIFY(samples.size() >= 3);
    QVERIFY(!samples.front().gap());
    QVERIFY(std::any_of(samples.begin(), samples.end(), [](const auto& s) { return s.gap(); }));
    QVERIFY(!samples.back().gap());
    QCOMPARE(monitor->trend()->segmentCount("A01"), 2);
}

void MonitorTrendTest::aPageShownAgainHasItsPast() {
    WindowRig rig;
    MonitorWindow* monitor = openOnDemoKiln(rig, cmd::MonitorDigitalOutputs, MonitorSlot::DigitalOutputs);
    QVERIFY(monitor != nullptr);
    monitor->showTrend(true);
    auto* tabs = monitor->findChild<QTabBar*>(QStringLiteral("tabs"));
    monitor->sweep();
    monitor->sweep();
    tabs->setCurrentIndex(1);
    monitor->sweep();
    monitor->trend()->refresh();
    QVERIFY(!monitor->trend()->lineShown("D00"));
    QCOMPARE(monitor->trend()->pointCount("D08") > 0, true);
    tabs->setCurrentIndex(0);
    monitor->trend()->refresh();
    // Nothing polled since: what is drawn is the first visit's.
    QVERIFY(monitor->trend()->pointCount("D00") >= 1);
    QCOMPARE(monitor->history().samples("D00").size(), 2u);
}

void MonitorTrendTest::recordWritesRowsWhilePollingAndStopsCleanly() {
    WindowRig rig;
    MonitorWindow* monitor = openOnDemoKiln(rig, cmd::MonitorAnalogInputs, MonitorSlot::AnalogInputs);
    QVERIFY(monitor != nullptr);
    const std::string path = rig.dir.file("kiln.csv");
    rig.files.answers.push_back(path);
    auto* record = monitor->findChild<QPushButton*>(QStringLiteral("record"));
    record->click();
    QVERIFY(monitor->recording().recording());
    QVERIFY(monitor->findChild<QLabel*>(QStringLiteral("recordMark"))->text().contains(QStringLiteral("kiln.csv")));
    // The timer polls: a row every 250 ms.
    QTRY_VERIFY_WITH_TIMEOUT(linesOf(path).size() >= 5, 5000);
    record->click();
    QVERIFY(!monitor->recording().recording());
    QVERIFY(monitor->findChild<QLabel*>(QStringLiteral("recordMark"))->text().isEmpty());
    const auto lines = linesOf(path);
    QCOMPARE(lines.front(), std::string("time,channel,value,status"));
    for (std::size_t l = 1; l < lines.size(); ++l)
        QVERIFY2(lines[l].find(",A0") != std::string::npos, lines[l].c_str());
    monitor->sweep();  // stopped: nothing more is written
    QCOMPARE(linesOf(path), lines);
}

void MonitorTrendTest::anUnwritableRecordingIsRefusedWhenChosen() {
    WindowRig rig;
    MonitorWindow* monitor = openOnDemoKiln(rig, cmd::MonitorDigitalInputs, MonitorSlot::DigitalInputs);
    QVERIFY(monitor != nullptr);
    rig.files.answers.push_back(rig.dir.file("gone/kiln.csv"));
    monitor->findChild<QPushButton*>(QStringLiteral("record"))->click();
    QVERIFY(!monitor->recording().recording());
    QCOMPARE(rig.messages().size(), 1u);
    QVERIFY(rig.messages().front().rfind("Unable to write file " + rig.dir.file("gone/kiln.csv"), 0) == 0);
    QVERIFY(monitor->findChild<QLabel*>(QStringLiteral("recordMark"))->text().isEmpty());
}

QTEST_MAIN(MonitorTrendTest)
#include "monitor_trend_qtest.moc"
