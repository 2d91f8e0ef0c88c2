// The Analogue Inputs editor on its real widgets, and its command through
// to the saved file.
#include "comms/protocol.h"
#include "comms/unit_link.h"
#include "editing/entry_text.h"
#include "gui/editors/analog_input_setup.h"
#include "gui/editors/page_tabs.h"
#include "gui/shell/command_table.h"
#include "model/database_file.h"
#include "support/editor_rig.h"
#include "support/window_rig.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <memory>
#include <span>

using namespace zat;
using zat::test::press;

namespace {

constexpr int kTcTypeK = 3, kLinear1V = 10, kLinear10V = 11;

// The dialog shown over its own database, message boxes recorded.
struct Harness : test::EditorRig {
    std::unique_ptr<TAINSetup> dialog;

    Harness() {
        db.analogInputs[0].type = kTcTypeK | kTypeColdJunction;
        db.analogInputs[1] = {Comment("Gas"), uint16_t(kLinear10V | kTypeScaled), 500, -50};
        open();
    }
    void open() {
        dialog = std::make_unique<TAINSetup>(context());
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    }
    template <class W = QLineEdit>
    W* at(const char* field, int row) {
        return dialog->findChild<W*>(QString::fromLatin1(field) + QString::number(row));
    }
    void tab(int index) { dialog->findChild<PageTabs*>("tabs")->setCurrentIndex(index); }
    std::string message() const { return prompts.shown.empty() ? "" : prompts.shown.back().text; }
};

QWidget* focused() { return QApplication::focusWidget(); }
std::string text(const Comment& comment) { return commentText(comment); }

}  // namespace

class AnalogInputSetupTest : public QObject {
    Q_OBJECT
private slots:
    void aRefusedTabChangeStaysWithTheMessageAndTheFocus() {
        Harness h;
        h.at("comment", 0)->setText("Kiln top");
        h.at("hiScalar", 1)->setText("12000");
        h.tab(1);
        QCOMPARE(h.message(), std::string("Hi Scalar -9999 to +9999"));
        QCOMPARE(h.prompts.shown[0].caption, std::string("Value out of range"));
        QCOMPARE(h.dialog->slot(), 0);
        QCOMPARE(focused(), h.at("hiScalar", 1));
        QCOMPARE(text(h.db.analogInputs[0].comment), std::string("Kiln top"));  // the row before it
        QCOMPARE(h.db.analogInputs[1].hiScalar, int16_t(500));
        // OK refuses the same way; once it stores, the database is marked.
        QCOMPARE(press(*h.dialog, "ok"), int(QDialog::Rejected));
        QVERIFY(!h.db.modified);
        h.at("hiScalar", 1)->setText("900");
        QCOMPARE(press(*h.dialog, "ok"), int(QDialog::Accepted));
        QVERIFY(h.db.modified);
    }

    void leavingWithoutOkMarksOnlyWhatATabChangeStored() {
        Harness h;
        h.at("comment", 0)->setText("dropped");
        QTest::keyClick(h.dialog.get(), Qt::Key_Escape);
        QVERIFY(!h.dialog->isVisible());
        QVERIFY(h.db.analogInputs[0].comment.empty() && !h.db.modified);

        h.open();
        h.at("comment", 0)->setText("stored by the tab");
        h.tab(1);
        h.at("comment", 0)->setText("dropped");
        QVERIFY(h.dialog->close());
        QCOMPARE(text(h.db.analogInputs[0].comment), std::string("stored by the tab"));
        QVERIFY(h.db.analogInputs[8].comment.empty() && h.db.modified);
    }

    void aTypeChoiceStoresAndShowsAgainUnlessRefused() {
        Harness h;
        h.at("comment", 5)->setText("typed");
        h.at<QComboBox>("type", 0)->setCurrentIndex(kLinear10V);
        QCOMPARE(h.db.analogInputs[0].type, uint16_t(kLinear10V | kTypeScaled));  // no CJ for a linear range
        QCOMPARE(text(h.db.analogInputs[5].comment), std::string("typed"));
        QVERIFY(h.at("hiScalar", 0)->isEnabled());
        QCOMPARE(h.at("hiScalar", 0)->text(), QStringLiteral("0"));

        // Refused: what is typed stays; the chosen row's controls follow its type.
        h.at("hiScalar", 1)->setText("12000");
        h.at("comment", 6)->setText("still typed");
        h.at<QComboBox>("type", 4)->setCurrentIndex(kLinear1V);
        QCOMPARE(h.message(), std::string("Hi Scalar -9999 to +9999"));
        QCOMPARE(focused(), h.at("hiScalar", 1));
        QCOMPARE(h.at("comment", 6)->text(), QStringLiteral("still typed"));
        QVERIFY(h.at("hiScalar", 4)->isEnabled());
    }

    void allSameCopiesRowOneAndKeepsTypedComments() {
        Harness h;
        h.at("comment", 3)->setText("stored");
        h.at<QComboBox>("type", 0)->setCurrentIndex(kLinear1V);
        h.at("comment", 3)->setText("typed");
        h.at("hiScalar", 0)->setText("200");
        h.at("loScalar", 0)->setText("-100");
        press(*h.dialog, "allSame");
        for (const AnalogInputChannel& channel : std::span(h.db.analogInputs).first(8)) {
            QCOMPARE(channel.type, uint16_t(kLinear1V | kTypeScaled));
            QCOMPARE(channel.loScalar, int16_t(-100));
        }
        QCOMPARE(h.at("hiScalar", 7)->text(), QStringLiteral("200"));
        QCOMPARE(h.at("comment", 3)->text(), QStringLiteral("typed"));
        QCOMPARE(text(h.db.analogInputs[3].comment), std::string("stored"));
    }

    void theCommandEditsAndTheSaveKeepsIt() {
        test::WindowRig rig;
        const std::string path = rig.writeQuickDatabase("plant.zat");
        rig.start(path);
        rig.dialogs.script.push_back([](QDialog& dialog) {
            dialog.findChild<QLineEdit*>("comment2")->setText("Furnace roof");
            dialog.findChild<PageTabs*>("tabs")->setCurrentIndex(1);
            dialog.findChild<QComboBox*>("type0")->setCurrentIndex(kLinear10V);
            dialog.findChild<QLineEdit*>("hiScalar0")->setText("2500");
            return press(dialog, "ok");
        });
        rig.window->runCommand(cmd::AnalogInputSetup);
        QCOMPARE(rig.dialogs.titles, std::vector<QString>{"Analogue Inputs"});
        rig.window->runCommand(cmd::Save);
        QVERIFY(!rig.db.modified && rig.prompts.shown.empty());

        std::string file = test::readFile(path);
        std::erase(file, '\r');
        QVERIFY(file.find("[Analog Input 8]\nType=523\nComment=\nHi Scalar=2500\n") != std::string::npos);
        ConfigDatabase saved;
        test::RecordingUserIo unseen;
        loadDatabase(saved, path, unseen.io());
        QCOMPARE(text(saved.analogInputs[2].comment), std::string("Furnace roof"));
        QCOMPARE(saved.analogInputs[8].hiScalar, int16_t(2500));
    }
};

QTEST_MAIN(AnalogInputSetupTest)
#include "analog_input_setup_qtest.moc"
