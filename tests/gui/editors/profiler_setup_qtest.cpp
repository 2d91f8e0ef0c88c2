// The Profiler Configuration editor: a page and its tab pictures, a refused
// register, and Close through the main window into the saved file.
#include "gui/common/help_window.h"
#include "gui/editors/profiler_setup.h"
#include "gui/shell/command_table.h"
#include "support/window_rig.h"
#include "support/window_views.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>

using namespace zat;

namespace {

struct Rig : test::WindowRig {
    std::string path = writeQuickDatabase("plant.zat");
    Rig() { start(path); }
};

QTabBar* tabs(QDialog& d) { return d.findChild<QTabBar*>("tabs"); }
QLineEdit* edit(QDialog& d, const char* name) { return d.findChild<QLineEdit*>(name); }

}  // namespace

class ProfilerSetupTest : public QObject {
    Q_OBJECT
private slots:
    void aRefusedRegisterKeepsThePageAndTakesTheFocus() {
        Rig rig;
        rig.beep.beeps.clear();
        rig.db.profilers[0] = {Comment("Ramp"), 0x80, 0x06, 0x44, 0x02, 0x01, 0xA8, 0xF8, 0, 0, 0, 0, 0x81};
        TProfilerSetup dialog(rig.window->windowContext());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(dialog.windowTitle() + "|" + tabs(dialog)->tabText(5),
                 QStringLiteral("Profiler Configuration|Profiler 6"));
        QCOMPARE(edit(dialog, "outputTo")->text() + edit(dialog, "readySp")->text() + edit(dialog, "dwell")->text(),
                 QStringLiteral("B3A1C0"));
        QCOMPARE(tabs(dialog)->tabIcon(0).pixmap(16).toImage(),
                 QIcon(":/icons/tab_profiler_enabled.svg").pixmap(16).toImage());

        // Start is checked before Ready SP.
        edit(dialog, "readySp")->setText("C1");
        edit(dialog, "start")->clear();
        QTest::keyClicks(edit(dialog, "start"), "a1");
        tabs(dialog)->setCurrentIndex(1);
        QCOMPARE(tabs(dialog)->currentIndex(), 0);
        QCOMPARE(rig.prompts.shown.back().text + "|" + rig.prompts.shown.back().caption,
                 std::string("\nFirst character must be C or D|I/O Reference Error"));
        QCOMPARE(rig.beep.beeps, std::vector<std::string>{"exclamation"});
        QVERIFY(edit(dialog, "start")->hasFocus());
        QCOMPARE(rig.db.profilers[0].startRegister, uint16_t(0xA8));
        test::press(dialog, "help");
        QCOMPARE(zat::test::shownHelpPage(*rig.window), helpPageUrl(223));
    }

    void closeThroughTheMainWindowReachesTheSavedFile() {
        Rig rig;
        rig.dialogs.script.push_back([](QDialog& d) {
            tabs(d)->setCurrentIndex(2);
            d.findChild<QCheckBox*>("enabled")->setChecked(true);
            test::press(d, "ok");  // refused: no Output to
            QTest::keyClicks(edit(d, "outputTo"), "b3");
            QTest::keyClicks(edit(d, "upRamp"), "d55");
            return test::press(d, "ok");
        });
        rig.window->runCommand(cmd::ProfilerSetup);
        QCOMPARE(rig.prompts.shown.back().text, std::string("Must specify an output destination"));
        rig.window->runCommand(cmd::Save);
        const std::string saved = test::readFile(rig.path);
        const std::size_t start = saved.find("[Profiler 2]\r\n");
        const std::string section = saved.substr(start, saved.find("\n[", start) + 1 - start);
        for (const char* line : {"\nOP REGISTER=68\r\n", "\nUP REGISTER=248\r\n", "\nFlags=128\r\n"})
            QVERIFY2(section.find(line) != std::string::npos, line);
    }
};

QTEST_MAIN(ProfilerSetupTest)
#include "profiler_setup_qtest.moc"
