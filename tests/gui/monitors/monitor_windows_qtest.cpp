// The monitor windows in the main window, against the simulated unit running
// the demonstration kiln: opened from their commands one of each kind at a
// time, closed through the close request, never shown when the opening
// fails, a page change and an Apply, the silent unit, the wheel over the
// profile number, and the pause while an export holds the link.
#include "gui/monitors/monitor_window.h"
#include "gui/shell/command_table.h"
#include "sim/plant_setup.h"
#include "support/scripted_dialogs.h"
#include "support/window_rig.h"
#include "support/window_views.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTest>
#include <QWheelEvent>

#include <algorithm>

using namespace zat;
using zat::test::WindowRig;

namespace {

void startOnKiln(WindowRig& rig) {
    rig.attachUnit();
    rig.unit->withState([](sim::UnitState& state) { (void)sim::loadPlantSetup(sim::demoPlantText(), state); });
    rig.start(rig.writeQuickDatabase("kiln.zat"));
    rig.requests();
}

// Counts the monitor windows that have been shown, wherever they were made.
class MonitorShowCounter final : public QObject {
public:
    int shown = 0;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && qobject_cast<MonitorWindow*>(watched) != nullptr) ++shown;
        return false;
    }
};

bool sentStartingWith(const std::vector<std::string>& sent, const std::string& prefix) {
    return std::any_of(sent.begin(), sent.end(), [&](const std::string& r) { return r.rfind(prefix, 0) == 0; });
}

}  // namespace

class MonitorWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void eachOpensOnceAndClosesThroughItsRequest_data();
    void eachOpensOnceAndClosesThroughItsRequest();
    void silentUnitAtOpeningLeavesNoMonitor();
    void aMonitorWhoseOpeningFailsIsNeverShown_data() { eachOpensOnceAndClosesThroughItsRequest_data(); }
    void aMonitorWhoseOpeningFailsIsNeverShown();
    void theWheelOverTheProfileNumberChangesNothing();
    void pageChangeAndApplyWriteTheShownChannels();
    void silentUnitGreysTheMonitorAndTheStatusBarSaysSo();
    void ticksWaitForAnExportAndThePageIsReloadedAfter();
};

void MonitorWindowsTest::eachOpensOnceAndClosesThroughItsRequest_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("title");
    QTest::newRow("analog inputs") << int(cmd::MonitorAnalogInputs) << int(MonitorSlot::AnalogInputs)
                                   << "Analogue Input Monitor";
    QTest::newRow("analog outputs") << int(cmd::MonitorAnalogOutputs) << int(MonitorSlot::AnalogOutputs)
                                    << "Analogue Output Monitor";
    QTest::newRow("digital inputs") << int(cmd::MonitorDigitalInputs) << int(MonitorSlot::DigitalInputs)
                                    << "Digital Input Monitor";
    QTest::newRow("digital outputs") << int(cmd::MonitorDigitalOutputs) << int(MonitorSlot::DigitalOutputs)
                                     << "Digital Output Monitor";
    QTest::newRow("controllers") << int(cmd::MonitorControllers) << int(MonitorSlot::Controllers)
                                 << "Controller Monitor";
    QTest::newRow("profilers") << int(cmd::MonitorProfilers) << int(MonitorSlot::Profilers) << "Profiler Monitor";
}

void MonitorWindowsTest::eachOpensOnceAndClosesThroughItsRequest() {
    QFETCH(int, command);
    QFETCH(int, slot);
    QFETCH(QString, title);
    WindowRig rig;
    startOnKiln(rig);
    const auto kind = static_cast<MonitorSlot>(slot);

    rig.window->runCommand(command);
    MonitorWindow* monitor = rig.window->monitor(kind);
    QVERIFY(monitor != nullptr);
    QVERIFY(monitor->isVisible());
    QVERIFY(rig.window->windowTitle() != monitor->windowTitle());
    QVERIFY2(monitor->windowTitle().startsWith(title), qPrintable(monitor->windowTitle()));
    QVERIFY(!rig.window->action(command)->isEnabled());
    QCOMPARE(rig.requests().front(), std::string("W01?0042"));  // the probe comes first

    rig.window->runCommand(command);  // greyed: nothing happens
    QCOMPARE(rig.window->monitor(kind), monitor);
    QVERIFY(rig.requests().empty() || !sentStartingWith(rig.requests(), "W01?"));

    QTest::keyClick(monitor, Qt::Key_Escape);  // the close request
    QVERIFY(!monitor->isVisible());
    QTRY_VERIFY(!rig.window->monitorOpen(kind));
    QVERIFY(rig.window->action(command)->isEnabled());
    QVERIFY(rig.messages().empty());
}

void MonitorWindowsTest::silentUnitAtOpeningLeavesNoMonitor() {
    WindowRig rig;
    startOnKiln(rig);
    rig.unit->setSilent(true);
    rig.window->runCommand(cmd::MonitorDigitalInputs);
    QCOMPARE(rig.messages(),
             std::vector<std::string>{"Unable to communicate with ZAT\nCheck baud rate and address and try again"});
    QTRY_VERIFY(!rig.window->monitorOpen(MonitorSlot::DigitalInputs));
    QVERIFY(rig.window->action(cmd::MonitorDigitalInputs)->isEnabled());
}

void MonitorWindowsTest::aMonitorWhoseOpeningFailsIsNeverShown() {
    QFETCH(int, command);
    QFETCH(int, slot);
    WindowRig rig;
    startOnKiln(rig);
    rig.unit->setSilent(true);
    MonitorShowCounter counter;
    qApp->installEventFilter(&counter);
    rig.window->runCommand(command);
    QTRY_VERIFY(!rig.window->monitorOpen(static_cast<MonitorSlot>(slot)));
    qApp->removeEventFilter(&counter);
    QCOMPARE(counter.shown, 0);
    QCOMPARE(rig.messages().size(), std::size_t(1));
}

void MonitorWindowsTest::theWheelOverTheProfileNumberChangesNothing() {
    WindowRig rig;
    startOnKiln(rig);
    rig.window->runCommand(cmd::MonitorProfilers);
    MonitorWindow* monitor = rig.window->monitor(MonitorSlot::Profilers);
    auto* profile = monitor->findChild<QSpinBox*>("profile");
    QVERIFY(profile->isEnabled());  // the demo's profilers stand stopped
    const int shown = profile->value();
    rig.requests();
    for (const int delta : {120, -120}) {
        const QPointF at(profile->width() / 2.0, profile->height() / 2.0);
        QWheelEvent wheel(at, profile->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(profile, &wheel);
    }
    QVERIFY(!sentStartingWith(rig.requests(), "W01S"));
    QCOMPARE(profile->value(), shown);
    QTest::keyClick(profile, Qt::Key_Up);  // the arrows still choose
    QVERIFY(sentStartingWith(rig.requests(), "W01S"));
}

void MonitorWindowsTest::pageChangeAndApplyWriteTheShownChannels() {
    WindowRig rig;
    startOnKiln(rig);
    rig.window->runCommand(cmd::MonitorAnalogOutputs);
    MonitorWindow* monitor = rig.window->monitor(MonitorSlot::AnalogOutputs);
    auto* tabs = monitor->findChild<QTabBar*>("tabs");
    QCOMPARE(tabs->count(), 10);
    tabs->setCurrentIndex(5);  // "20-23"
    QCOMPARE(monitor->findChild<QLabel*>("name0")->text(), QString("B20"));
    QCOMPARE(monitor->findChild<QLabel*>("range0")->text(), QString());

    auto* apply = monitor->findChild<QPushButton*>("apply");
    QVERIFY(!apply->isEnabled());
    QTest::keyClicks(monitor->findChild<QLineEdit*>("entry1"), "-12");
    QVERIFY(apply->isEnabled());
    rig.requests();
    QTest::mouseClick(apply, Qt::LeftButton);
    QVERIFY(sentStartingWith(rig.requests(), "W01B21"));
    QCOMPARE(monitor->findChild<QLineEdit*>("entry1")->text(), QString());
    QVERIFY(!apply->isEnabled());

    // The digital output monitor: a box clicked, then Apply writes the group.
    rig.window->runCommand(cmd::MonitorDigitalOutputs);
    MonitorWindow* outputs = rig.window->monitor(MonitorSlot::DigitalOutputs);
    auto* box = outputs->findChild<QCheckBox*>("box2");
    const bool was = box->isChecked();
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));  // on its indicator
    QCOMPARE(box->isChecked(), !was);
    rig.requests();
    QTest::mouseClick(outputs->findChild<QPushButton*>("apply"), Qt::LeftButton);
    QVERIFY(sentStartingWith(rig.requests(), "W01H00"));
    QCOMPARE(outputs->findChild<QLabel*>("lamp2")->property("lit").toBool(), !was);
}

void MonitorWindowsTest::silentUnitGreysTheMonitorAndTheStatusBarSaysSo() {
    WindowRig rig;
    startOnKiln(rig);
    rig.window->runCommand(cmd::MonitorAnalogInputs);
    MonitorWindow* monitor = rig.window->monitor(MonitorSlot::AnalogInputs);
    monitor->sweep();
    QCOMPARE(monitor->linkStatus(), QString());

    rig.unit->setSilent(true);
    monitor->sweep();
    QCOMPARE(monitor->linkStatus(), QString("No reply from unit"));
    QCOMPARE(zat::test::statusField(*rig.window, "linkNote"), QString("No reply from unit"));
    QVERIFY(!monitor->findChild<QWidget*>("channels")->isEnabled());
    QVERIFY(rig.messages().empty());  // polling failures only beep

    rig.unit->setSilent(false);
    monitor->sweep();
    QCOMPARE(monitor->linkStatus(), QString());
    QCOMPARE(zat::test::statusField(*rig.window, "linkNote"), QString());
    QVERIFY(monitor->findChild<QWidget*>("channels")->isEnabled());
}

void MonitorWindowsTest::ticksWaitForAnExportAndThePageIsReloadedAfter() {
    WindowRig rig;
    startOnKiln(rig);
    rig.window->runCommand(cmd::MonitorAnalogInputs);
    QTest::qWait(600);
    rig.requests();

    {
        UnitLink::OperationHold hold(rig.window->link());
        QTest::qWait(700);  // a tick is due every 250 ms
        QVERIFY(rig.requests().empty());
    }
    // The first tick after the hold reloads the page: its type words again.
    QTest::qWait(400);
    QVERIFY(sentStartingWith(rig.requests(), "R01a00"));

    // An export holds the link the same way.
    rig.dialogs.script.push_back([](QDialog& dialog) {
        for (QCheckBox* group : dialog.findChildren<QCheckBox*>()) group->setChecked(group->objectName() == "group1");
        return zat::test::press(dialog, "ok");
    });
    rig.requests();
    rig.window->runCommand(cmd::Export);
    const std::vector<std::string> sent = rig.requests();
    QVERIFY(sent.size() > 100);
    QVERIFY(!sentStartingWith(sent, "R01A"));
}

QTEST_MAIN(MonitorWindowsTest)
#include "monitor_windows_qtest.moc"
