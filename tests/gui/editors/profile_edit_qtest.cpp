// The Profile Editor on its real widgets, and its command through to the
// saved file.
#include "comms/protocol.h"
#include "comms/unit_link.h"
#include "editing/entry_text.h"
#include "gui/editors/page_tabs.h"
#include "gui/editors/profile_edit.h"
#include "gui/shell/command_table.h"
#include "model/database_file.h"
#include "support/editor_rig.h"
#include "support/window_rig.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

#include <memory>

using namespace zat;
using zat::test::press;

namespace {

// The dialog shown over its own database, message boxes and beeps recorded.
struct Harness : test::EditorRig {
    std::unique_ptr<TProfileEdit> dialog;

    Harness() {
        db.profiles[1].link = 3;
        db.profiles[1].segDwell[0] = 15;
        dialog = std::make_unique<TProfileEdit>(context());
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    }
    template <class W = QLineEdit>
    W* get(const QString& name) {
        return dialog->findChild<W*>(name);
    }
    int showTab(int tab) {
        auto* tabs = dialog->findChild<PageTabs*>("tabs");
        tabs->setCurrentIndex(tab);
        return tabs->shownPage();
    }
};

}  // namespace

class ProfileEditTest : public QObject {
    Q_OBJECT
private slots:
    void tabsShowEachProfile() {
        Harness h;
        const auto* tabs = h.dialog->findChild<PageTabs*>("tabs");
        QCOMPARE(tabs->count(), 6);
        QCOMPARE(tabs->tabText(0), QStringLiteral("Profile 0"));
        QCOMPARE(tabs->tabText(5), QStringLiteral("Profile 5"));
        QCOMPARE(h.get("rate0")->text(), QStringLiteral("Step"));
        QVERIFY(!h.get<QCheckBox>("linked")->isChecked() && !h.get("link")->isEnabled());
        QVERIFY(h.get("link")->text().isEmpty());

        QCOMPARE(h.showTab(1), 1);
        QCOMPARE(h.get("dwell0")->text(), QStringLiteral("1.5"));
        QVERIFY(h.get<QCheckBox>("linked")->isChecked() && h.get("link")->isEnabled());
        QCOMPARE(h.get("link")->text(), QStringLiteral("3"));
        h.get<QCheckBox>("linked")->setChecked(false);
        QVERIFY(!h.get("link")->isEnabled());
    }

    void aRefusedFieldKeepsTheTabWithItsMessageAndFocus() {
        Harness h;
        h.get("rate2")->setText("end");
        h.get("dwell4")->setText("100");
        QCOMPARE(h.showTab(3), 0);
        QCOMPARE(h.dialog->findChild<PageTabs*>("tabs")->currentIndex(), 0);
        QCOMPARE(h.prompts.shown.size(), std::size_t(1));
        QCOMPARE(h.prompts.shown[0].text,
                 std::string("Illegal entry on segment 4 Dwell\n Valid entries are 0 to 99.9"));
        QCOMPARE(h.prompts.shown[0].caption, std::string("Error"));
        QCOMPARE(h.prompts.shown[0].beepsBefore, std::size_t(0));
        QCOMPARE(QApplication::focusWidget(), h.get("dwell4"));
        // Segments before it are stored, and the database knows.
        QCOMPARE(h.db.profiles[0].segRate[2], int16_t(-1));
        QVERIFY(h.db.modified);

        h.get("dwell4")->setText("99.9");
        QCOMPARE(h.showTab(3), 3);
        QCOMPARE(h.db.profiles[0].segDwell[4], int16_t(999));
        QCOMPARE(h.showTab(0), 0);
        QCOMPARE(h.get("rate2")->text(), QStringLiteral("End"));
    }

    void cancelDropsThePageOnDisplay() {
        Harness untouched;
        untouched.get("comment")->setText("dropped");
        QCOMPARE(press(*untouched.dialog, "cancel"), int(QDialog::Rejected));
        QVERIFY(untouched.db.profiles[0].comment.empty() && !untouched.db.modified);

        Harness moved;
        moved.get("comment")->setText("stored by the move");
        moved.showTab(2);
        moved.get("comment")->setText("dropped");
        moved.db.modified = false;  // as a save in between would leave it
        QCOMPARE(press(*moved.dialog, "cancel"), int(QDialog::Rejected));
        QCOMPARE(commentText(moved.db.profiles[0].comment), std::string("stored by the move"));
        QVERIFY(moved.db.profiles[2].comment.empty() && moved.db.modified);
    }

    void theCommandEditsAndTheSaveKeepsIt() {
        test::WindowRig rig;
        const std::string path = rig.writeQuickDatabase("plant.zat");
        rig.start(path);
        rig.dialogs.script.push_back([](QDialog& dialog) {
            dialog.findChild<PageTabs*>("tabs")->setCurrentIndex(4);
            dialog.findChild<QLineEdit*>("comment")->setText("Kiln firing");
            dialog.findChild<QLineEdit*>("rate0")->setText("12.7");
            dialog.findChild<QLineEdit*>("level0")->setText("-250");
            dialog.findChild<QLineEdit*>("dwell0")->setText("0.3");
            dialog.findChild<QLineEdit*>("rate1")->setText("STEP");
            dialog.findChild<QLineEdit*>("rate2")->setText("End");
            dialog.findChild<QCheckBox*>("linked")->setChecked(true);
            dialog.findChild<QLineEdit*>("link")->setText("4");
            return press(dialog, "ok");
        });
        rig.window->runCommand(cmd::ProfileEditor);
        QCOMPARE(rig.dialogs.titles, std::vector<QString>{"Profile Editor"});
        QVERIFY(rig.db.modified);
        rig.window->runCommand(cmd::Save);
        QVERIFY(!rig.db.modified && rig.prompts.shown.empty());

        std::string file = test::readFile(path);
        std::erase(file, '\r');
        QVERIFY(file.find("[Profile 4]\nComment=Kiln firing\nSeg00 Rate=12\nSeg00 Level=-250\nSeg00 Dwell=3\n"
                          "Seg01 Rate=0\n") != std::string::npos);
        ConfigDatabase saved;
        test::RecordingUserIo unseen;
        loadDatabase(saved, path, unseen.io());
        QCOMPARE(saved.profiles[4].segRate[2], int16_t(-1));
        QCOMPARE(saved.profiles[4].link, int16_t(4));
    }
};

QTEST_MAIN(ProfileEditTest)
#include "profile_edit_qtest.moc"
