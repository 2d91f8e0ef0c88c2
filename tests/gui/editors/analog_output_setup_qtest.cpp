// The Analogue Outputs editor on its real widgets, and its command through
// to the saved file.
#include "comms/protocol.h"
#include "comms/unit_link.h"
#include "editing/entry_text.h"
#include "gui/editors/analog_output_setup.h"
#include "gui/editors/page_tabs.h"
#include "gui/shell/command_table.h"
#include "model/database_file.h"
#include "support/editor_rig.h"
#include "support/window_rig.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include <memory>

using namespace zat;
using zat::test::press;

namespace {

// The dialog shown over its own database, message boxes and beeps recorded.
struct Harness : test::EditorRig {
    std::unique_ptr<TAOUTSetup> dialog;

    Harness() {
        db.analogOutputs[25].bias = 7;  // an output without a bias or type: never written
        db.analogOutputs[25].flags = 0x55;
        dialog = std::make_unique<TAOUTSetup>(context());
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    }
    template <class W = QLineEdit>
    W* get(const char* name) {
        return dialog->findChild<W*>(QString::fromLatin1(name));
    }
    // The tab, then the up-down's position; tells the register shown.
    QString move(int tab, int position) {
        dialog->findChild<PageTabs*>("tabs")->setCurrentIndex(tab);
        get<QSpinBox>("channel")->setValue(position);
        return get<QLabel>("register")->text();
    }
};

}  // namespace

class AnalogOutputSetupTest : public QObject {
    Q_OBJECT
private slots:
    void aRefusedMoveKeepsTheOutputWithTheRangeMessage() {
        Harness h;
        QCOMPARE(h.move(2, 3), QStringLiteral("B11"));
        h.get("bias")->setText("150");
        QCOMPARE(h.move(2, 0), QStringLiteral("B11"));
        QCOMPARE(h.get<QSpinBox>("channel")->value(), 3);
        QCOMPARE(h.prompts.shown.size(), std::size_t(1));
        QCOMPARE(h.prompts.shown[0].text, std::string("Value is outside the valid range -10 to 100"));
        QCOMPARE(h.prompts.shown[0].caption, std::string("Error"));
        QCOMPARE(h.prompts.shown[0].beepsBefore, std::size_t(1));
        QCOMPARE(QApplication::focusWidget(), h.get("bias"));

        // Stored on the move; a tab change keeps the position.
        h.get("bias")->setText("100");
        QCOMPARE(h.move(2, 0), QStringLiteral("B08"));
        QCOMPARE(h.db.analogOutputs[11].bias, int16_t(100));
        QCOMPARE(h.move(3, 0), QStringLiteral("B12"));
    }

    void outputsFromTwentyHaveOnlyCommentAndSpan() {
        Harness h;
        QCOMPARE(h.move(6, 1), QStringLiteral("B25"));
        QStringList enabled;
        for (const char* name :
             {"comment", "from", "to", "bias", "linear", "characterised", "range", "tenths", "fahrenheit"}) {
            if (h.get<QWidget>(name)->isEnabled()) enabled << name;
        }
        QCOMPARE(enabled, QStringList({"comment", "from", "to"}));
        h.get("from")->setText("-50");
        QCOMPARE(press(*h.dialog, "ok"), int(QDialog::Accepted));
        QCOMPARE(h.db.analogOutputs[25].from, int16_t(-50));
        QCOMPARE(h.db.analogOutputs[25].bias, int16_t(7));
        QCOMPARE(h.db.analogOutputs[25].flags, uint16_t(0x55));
        QVERIFY(h.db.modified);
    }

    void cancelMarksOnlyOutputsStoredOnTheWay() {
        Harness untouched;
        untouched.get("comment")->setText("dropped");
        QCOMPARE(press(*untouched.dialog, "cancel"), int(QDialog::Rejected));
        QVERIFY(untouched.db.analogOutputs[0].comment.empty() && !untouched.db.modified);

        Harness moved;
        moved.get("comment")->setText("stored by the move");
        moved.move(0, 1);
        moved.get("comment")->setText("dropped");
        QCOMPARE(press(*moved.dialog, "cancel"), int(QDialog::Rejected));
        QCOMPARE(commentText(moved.db.analogOutputs[0].comment), std::string("stored by the move"));
        QVERIFY(moved.db.analogOutputs[1].comment.empty() && moved.db.modified);
    }

    void theCommandEditsAndTheSaveKeepsIt() {
        test::WindowRig rig;
        const std::string path = rig.writeQuickDatabase("plant.zat");
        rig.start(path);
        rig.dialogs.script.push_back([](QDialog& dialog) {
            dialog.findChild<QSpinBox*>("channel")->setValue(3);
            dialog.findChild<QLineEdit*>("comment")->setText("Chart recorder");
            dialog.findChild<QLineEdit*>("to")->setText("1300");
            dialog.findChild<QRadioButton*>("characterised")->setChecked(true);
            dialog.findChild<QCheckBox*>("tenths")->setChecked(true);
            return press(dialog, "ok");
        });
        rig.window->runCommand(cmd::AnalogOutputSetup);
        QCOMPARE(rig.dialogs.titles, std::vector<QString>{"Analogue Outputs"});
        rig.window->runCommand(cmd::Save);
        QVERIFY(!rig.db.modified && rig.prompts.shown.empty());

        std::string file = test::readFile(path);
        std::erase(file, '\r');
        QVERIFY(file.find("[Output 3]\nComment=Chart recorder\nFrom=-9999\nTo=1300\nBias=0\nFlags=48\n") !=
                std::string::npos);
        ConfigDatabase saved;
        test::RecordingUserIo unseen;
        loadDatabase(saved, path, unseen.io());
        QCOMPARE(commentText(saved.analogOutputs[3].comment), std::string("Chart recorder"));
        QCOMPARE(saved.analogOutputs[3].flags, uint16_t(kOutputCharacterised | kOutputTenths));
    }
};

QTEST_MAIN(AnalogOutputSetupTest)
#include "analog_output_setup_qtest.moc"
