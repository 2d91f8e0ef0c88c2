// The Hot Cold Calculation Block editor: a block's page and tab pictures, a
// refused destination, and OK through the main window into the saved file.
#include "gui/common/help_window.h"
#include "gui/editors/hot_cold_setup.h"
#include "gui/shell/command_table.h"
#include "support/window_rig.h"
#include "support/window_views.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>

using namespace zat;

namespace {

// A main window on a saved database: its context builds the dialogs.
struct Rig : test::WindowRig {
    std::string path = writeQuickDatabase("plant.zat");
    Rig() { start(path); }
    WindowContext context() { return window->windowContext(); }
    QUrl help() const { return zat::test::shownHelpPage(*window); }
};

QTabBar* tabs(QDialog& d) { return d.findChild<QTabBar*>("tabs"); }
QLineEdit* edit(QDialog& d, const char* name) { return d.findChild<QLineEdit*>(name); }
QCheckBox* box(QDialog& d, const char* name) { return d.findChild<QCheckBox*>(name); }

bool showsEnabled(QDialog& d, int tab) {
    return tabs(d)->tabIcon(tab).pixmap(16).toImage() == QIcon(":/icons/tab_block_enabled.svg").pixmap(16).toImage();
}

}  // namespace

class HotColdSetupTest : public QObject {
    Q_OBJECT
private slots:
    void aBlocksPageAndPicturesFollowItsRecord() {
        Rig rig;
        rig.db.hotColdBlocks[0] = {Comment("Kiln"), 0x0080, 0x88, 0x67, 0x80, 0, {0x000F, 0, 0, 0, 0}};
        THCSetup dialog(rig.context());
        QCOMPARE(dialog.windowTitle() + "|" + tabs(dialog)->tabText(3),
                 QStringLiteral("Hot Cold Calculation Block|Block 4"));
        QVERIFY(showsEnabled(dialog, 0) && !showsEnabled(dialog, 1));
        QCOMPARE(edit(dialog, "hottest")->text() + edit(dialog, "coldest")->text() + edit(dialog, "average")->text(),
                 QStringLiteral("A8B39A0"));
        QVERIFY(box(dialog, "enabled")->isChecked() && box(dialog, "A03")->isChecked());
        QVERIFY(!box(dialog, "A04")->isChecked());

        // Block 2: A00, A07 and A08 become list words; typed letters come out upper case.
        tabs(dialog)->setCurrentIndex(1);
        for (const char* name : {"A00", "A07", "A08", "enabled"}) box(dialog, name)->setChecked(true);
        QTest::keyClicks(edit(dialog, "spread"), "b391");
        QCOMPARE(edit(dialog, "spread")->text(), QStringLiteral("B39"));
        tabs(dialog)->setCurrentIndex(2);
        QVERIFY(showsEnabled(dialog, 1));  // refreshed by the store
        QCOMPARE(rig.db.hotColdBlocks[1].list, (std::array<uint16_t, kHotColdListWords>{0x0081, 0x0001, 0, 0, 0}));
        QCOMPARE(rig.db.hotColdBlocks[1].spread, uint16_t(0x67));
        test::press(dialog, "help");
        QCOMPARE(rig.help(), helpPageUrl(209));
    }

    void aBadDestinationKeepsTheTabAndTakesTheFocus() {
        Rig rig;
        rig.prompts.shown.clear();
        rig.beep.beeps.clear();
        THCSetup dialog(rig.context());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        edit(dialog, "hottest")->setText("A5");
        edit(dialog, "average")->setText("C1");
        tabs(dialog)->setCurrentIndex(1);
        QCOMPARE(tabs(dialog)->currentIndex(), 0);
        QCOMPARE(rig.prompts.shown.size(), std::size_t{1});
        const test::ShownMessage& shown = rig.prompts.shown[0];
        QCOMPARE(shown.text + "|" + shown.caption,
                 std::string("\nFirst character must be A or B|Analogue Destination Error"));
        QCOMPARE(rig.beep.beeps, std::vector<std::string>{"exclamation"});
        QCOMPARE(shown.beepsBefore, std::size_t{1});
        QVERIFY(edit(dialog, "average")->hasFocus());
        QCOMPARE(rig.db.hotColdBlocks[0].hottest, uint16_t(0x85));  // stored before the bad one
        QCOMPARE(test::press(dialog, "ok"), int(QDialog::Rejected));
        QVERIFY(dialog.isVisible());
        // Marked as the store began, so Cancel leaves it marked.
        QCOMPARE(test::press(dialog, "cancel"), int(QDialog::Rejected));
        QVERIFY(rig.db.modified);
    }

    void okThroughTheMainWindowReachesTheSavedFile() {
        Rig rig;
        rig.dialogs.script.push_back([](QDialog& d) {
            tabs(d)->setCurrentIndex(3);
            box(d, "A39")->setChecked(true);
            QTest::keyClicks(edit(d, "coldest"), "b12");
            return test::press(d, "ok");
        });
        rig.window->runCommand(cmd::HotColdBlocks);
        QVERIFY(rig.db.modified);
        rig.window->runCommand(cmd::Save);
        const std::string saved = test::readFile(rig.path);
        const std::size_t start = saved.find("[HC Block 3]\r\n");
        QVERIFY(start != std::string::npos);
        const std::string section = saved.substr(start, saved.find("\n[", start) + 1 - start);
        QVERIFY(section.find("\nColdest=76\r\n") != std::string::npos);
        QVERIFY(section.find("\nList 4=128\r\n") != std::string::npos);
    }
};

QTEST_MAIN(HotColdSetupTest)
#include "hot_cold_setup_qtest.moc"
