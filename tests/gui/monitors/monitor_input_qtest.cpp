// The person's input while a monitor polls a slow line (1200 baud, where a
// tick of the analog input monitor takes longer than its 250 ms): Escape
// closes the monitor before another exchange goes out, and a tab clicked in
// the middle of a tick waits for the tick to end, then loads its page before
// the next tick.
#include "gui/common/link_batch.h"
#include "gui/monitors/monitor_window.h"
#include "gui/shell/command_table.h"
#include "model/database_file.h"
#include "sim/plant_setup.h"
#include "support/window_rig.h"

#include <QTabBar>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>

using namespace zat;
using zat::test::WindowRig;

namespace {

constexpr int kSlowBaud = 1200;

MonitorWindow* openAnalogInputsAt1200(WindowRig& rig) {
    rig.unit = std::make_unique<sim::PtyUnit>(sim::UnitConfig{}, sim::LineTiming{kSlowBaud, 0});
    rig.unit->withState([](sim::UnitState& state) { (void)sim::loadPlantSetup(sim::demoPlantText(), state); });
    rig.unit->start();
    ConfigDatabase slow;
    slow.comms.address = 1;
    slow.comms.baudRate = kSlowBaud;
    // Patient and without retries, so a loaded machine neither makes the unit
    // look silent (a tick cut short) nor splits an exchange into tries.
    slow.comms.timeOut = 1500;
    slow.comms.retries = 0;
    const std::string path = rig.dir.file("slow.zat");
    test::RecordingUserIo unseen;
    (void)saveDatabase(slow, path, unseen.io());
    rig.start(path);
    rig.window->runCommand(cmd::MonitorAnalogInputs);
    return rig.window->monitor(MonitorSlot::AnalogInputs);
}

// Runs `press` between two exchanges of the next batch, as input that comes
// while a reply is awaited is first seen there; what the unit received
// before is dropped from the record.
void pressMidBatch(WindowRig& rig, const std::function<void()>& press) {
    bool pressed = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (pressed || !LinkBatch::running()) return;
        pressed = true;
        rig.requests();
        press();
    });
    poll.start(1);
    QTRY_VERIFY_WITH_TIMEOUT(pressed, 10000);
}

}  // namespace

class MonitorInputTest : public QObject {
    Q_OBJECT
private slots:
    void escapeClosesTheMonitorBeforeAnotherExchange();
    void aTabClickedMidTickLoadsItsPageAfterTheTickAndBeforeTheNext();
};

void MonitorInputTest::escapeClosesTheMonitorBeforeAnotherExchange() {
    WindowRig rig;
    MonitorWindow* monitor = openAnalogInputsAt1200(rig);
    QVERIFY(monitor != nullptr && monitor->isVisible());
    QTest::qWait(300);  // polling, a tick overrunning its period
    pressMidBatch(rig, [&] {
        QTest::keyClick(monitor, Qt::Key_Escape);
        QVERIFY(!monitor->isVisible());
    });
    QTRY_VERIFY(!rig.window->monitorOpen(MonitorSlot::AnalogInputs));
    QCOMPARE(rig.requests(), std::vector<std::string>{});
}

void MonitorInputTest::aTabClickedMidTickLoadsItsPageAfterTheTickAndBeforeTheNext() {
    WindowRig rig;
    MonitorWindow* monitor = openAnalogInputsAt1200(rig);
    auto* tabs = monitor->findChild<QTabBar*>(QStringLiteral("tabs"));
    QTest::qWait(300);
    pressMidBatch(rig, [&] { QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center()); });
    QTRY_VERIFY_WITH_TIMEOUT(tabs->currentIndex() == 1, 5000);
    QTest::qWait(2500);  // the page load and a tick after it
    const std::vector<std::string> sent = rig.requests();
    const auto load = std::find(sent.begin(), sent.end(), "W01]0000");
    QVERIFY(load != sent.end());
    // The tick under way ends first: only its reads of slot 1 come before.
    QVERIFY(load != sent.begin());
    QVERIFY(std::all_of(sent.begin(), load, [](const std::string& r) {
        return (r.rfind("R01A0", 0) == 0 || r.rfind("R01F0", 0) == 0) && r[5] < '8';
    }));
    std::vector<std::string> page;
    for (int channel = 8; channel < 16; ++channel)
        page.push_back(QString("R01a%1").arg(channel, 2, 10, QChar('0')).toStdString());
    QVERIFY(sent.end() - load > 9);
    QCOMPARE(std::vector<std::string>(load + 1, load + 9), page);
    QVERIFY(load[9].rfind("R01A", 0) == 0 && std::stoi(load[9].substr(4)) >= 8);  // the next tick reads slot 2
}

QTEST_MAIN(MonitorInputTest)
#include "monitor_input_qtest.moc"
