#include "comms/comms_entries.h"
#include "gui/dialogs/comms_setup_dialog.h"
#include "gui/dialogs/dil_switch.h"
#include "support/recording_user_io.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_file_dialogs.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <memory>

using namespace zat;
using zat::test::press;

namespace {

// One dialog over its own database, with every message box, beep and help
// request recorded.
struct Harness {
    ConfigDatabase db;
    test::RecordingBeep beep;
    test::RecordingPrompts prompts;
    test::ScriptedDialogs dialogs;
    test::ScriptedFileDialogs files;
    NoWaitCursor cursor;
    std::vector<int> helps;
    std::unique_ptr<TCommsSetupDialog> dialog;

    explicit Harness(const CommsSettings& settings) {
        db.comms = settings;
        prompts.beepSource = &beep;
        GuiContext gui{prompts, beep, dialogs, files, cursor, [this](int context) { helps.push_back(context); }};
        dialog = std::make_unique<TCommsSetupDialog>(db, gui,
                                                     [](int port) { return "/dev/fake" + std::to_string(port * 10); });
    }

    QLineEdit* edit(const char* name) { return dialog->findChild<QLineEdit*>(QString::fromLatin1(name)); }
    QRadioButton* radio(const char* name) { return dialog->findChild<QRadioButton*>(QString::fromLatin1(name)); }
    TDILSwitch* dil() { return dialog->findChild<TDILSwitch*>(QStringLiteral("dilSwitch")); }
    int ok() { return press(*dialog, "ok"); }

    // Types over an edit's text as the program would set it, then forgets the
    // beeps of the live switch update so only OK's beeps are looked at.
    void enter(const char* name, const char* text) {
        edit(name)->setText(QString::fromLatin1(text));
        beep.beeps.clear();
    }
};

CommsSettings settings(int port, int address, int baudRate, uint32_t timeOut, int retries, int protocol = 0) {
    CommsSettings comms;
    comms.port = port;
    comms.address = address;
    comms.baudRate = baudRate;
    comms.timeOut = timeOut;
    comms.retries = retries;
    comms.protocol = protocol;
    return comms;
}

const CommsSettings kUsual = settings(2, 5, 9600, 100, 3);

const char* const kPortNames[] = {"com1", "com2", "com3", "com4", "com5", "com6", "com7", "com8"};
const char* const kBaudNames[] = {"baud1200", "baud2400", "baud4800", "baud9600", "baud19200"};

}  // namespace

class CommsSetupDialogTest : public QObject {
    Q_OBJECT

private:
    static QStringList checked(Harness& h, const char* const* names, int count) {
        QStringList on;
        for (int i = 0; i < count; ++i) {
            if (h.radio(names[i])->isChecked()) on << QString::fromLatin1(names[i]);
        }
        return on;
    }

    // OK is refused with exactly this message after the exclamation beep,
    // and nothing is stored.
    static void expectRefused(Harness& h, const std::string& message) {
        const CommsSettings before = h.db.comms;
        QCOMPARE(h.ok(), int(QDialog::Rejected));
        QCOMPARE(h.prompts.shown.size(), std::size_t{1});
        const test::ShownMessage& box = h.prompts.shown.front();
        QCOMPARE(box.text, message);
        QCOMPARE(box.caption, std::string("Error"));
        QVERIFY(box.icon == MessageIcon::Exclamation);
        QVERIFY(box.buttons == MessageButtons::Ok);
        QCOMPARE(h.beep.beeps, std::vector<std::string>{"exclamation"});
        QCOMPARE(box.beepsBefore, std::size_t{1});
        QVERIFY(h.db.comms == before);
        QVERIFY(!h.db.modified);
    }

private slots:
    void opensWithTheStoredSettings() {
        Harness h(settings(3, 42, 4800, 250, 7));
        QCOMPARE(h.dialog->windowTitle(), QStringLiteral("Communications Setup"));
        QCOMPARE(checked(h, kPortNames, 8), QStringList{"com3"});
        QCOMPARE(checked(h, kBaudNames, 5), QStringList{"baud4800"});
        QCOMPARE(h.edit("address")->text(), QStringLiteral("42"));
        QCOMPARE(h.edit("retries")->text(), QStringLiteral("7"));
        QCOMPARE(h.edit("timeout")->text(), QStringLiteral("0.25"));
        QVERIFY(h.radio("kvl")->isChecked());
        QVERIFY(!h.radio("modbus")->isChecked());
        QVERIFY(!h.radio("modbus")->isEnabled());
        QVERIFY(h.beep.beeps.empty());
    }

    void showsTheTimeoutInSeconds() {
        QCOMPARE(Harness(settings(1, 0, 9600, 100, 2)).edit("timeout")->text(), QStringLiteral("0.1"));
        QCOMPARE(Harness(settings(1, 0, 9600, 1000, 2)).edit("timeout")->text(), QStringLiteral("1"));
    }

    void shows19200CheckedButDisabled() {
        Harness h(settings(1, 0, 19200, 100, 2));
        QCOMPARE(checked(h, kBaudNames, 5), QStringList{"baud19200"});
        QVERIFY(!h.radio("baud19200")->isEnabled());
        QCOMPARE(h.dialog->dilPattern() & kDilBaudMask, 0);
    }

    void showsAnUnknownRateAs9600() {
        Harness h(settings(1, 0, 300, 100, 2));
        QCOMPARE(checked(h, kBaudNames, 5), QStringList{"baud9600"});
    }

    void checksNoPortForAPortOutsideTheRange() {
        Harness h(settings(12, 0, 9600, 100, 2));
        QVERIFY(checked(h, kPortNames, 8).isEmpty());
    }

    void checksModbusForAStoredModbusProtocol() {
        Harness h(settings(1, 0, 9600, 100, 2, 1));
        QVERIFY(h.radio("modbus")->isChecked());
        QVERIFY(!h.radio("kvl")->isChecked());
        QVERIFY(h.dialog->dilPattern() & kDilModbus);
    }

    void labelsEachPortWithItsDevice() {
        Harness h(kUsual);
        for (int port = 1; port <= 8; ++port) {
            auto* label = h.dialog->findChild<QLabel*>(QStringLiteral("device%1").arg(port));
            QVERIFY(label != nullptr);
            QCOMPARE(label->text(), QStringLiteral("/dev/fake%1").arg(port * 10));
        }
    }

    void portButtonsAreExclusiveWithinTheirGroup() {
        Harness h(kUsual);
        h.radio("com6")->click();
        QCOMPARE(checked(h, kPortNames, 8), QStringList{"com6"});
        QCOMPARE(checked(h, kBaudNames, 5), QStringList{"baud9600"});
        h.radio("baud1200")->click();
        QCOMPARE(checked(h, kBaudNames, 5), QStringList{"baud1200"});
        QCOMPARE(checked(h, kPortNames, 8), QStringList{"com6"});
    }

    void okStoresEverySettingAndMarksModified() {
        Harness h(kUsual);
        h.radio("com7")->click();
        h.radio("baud2400")->click();
        h.enter("address", "99");
        h.enter("retries", "0");
        h.enter("timeout", "0.7");
        QCOMPARE(h.ok(), int(QDialog::Accepted));
        QVERIFY(h.prompts.shown.empty());
        QVERIFY(h.beep.beeps.empty());
        QCOMPARE(h.db.comms, settings(7, 99, 2400, 699, 0));
        QVERIFY(h.db.modified);
    }

    void okUnchangedKeepsTheSettings() {
        Harness h(settings(8, 17, 1200, 250, 9));
        QCOMPARE(h.ok(), int(QDialog::Accepted));
        QCOMPARE(h.db.comms, settings(8, 17, 1200, 250, 9));
        QVERIFY(h.db.modified);
    }

    void refusesAnAddressAbove99() {
        Harness h(kUsual);
        h.enter("address", "100");
        expectRefused(h, "Illegal Comms address value");
    }

    void refusesARetryCountAbove99() {
        Harness h(kUsual);
        h.enter("retries", "100");
        expectRefused(h, "Illegal Comms retry count");
    }

    void timeoutLimits_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("milliseconds");  // -1: refused
        QTest::newRow("0.01 refused") << "0.01" << -1;
        QTest::newRow("0.02 gives 19") << "0.02" << 19;
        QTest::newRow("1 gives 1000") << "1" << 1000;
        QTest::newRow("1.01 refused") << "1.01" << -1;
        QTest::newRow("0.1 gives 100") << "0.1" << 100;
        QTest::newRow("not a number refused") << "abc" << -1;
        QTest::newRow("empty refused") << "" << -1;
    }

    void timeoutLimits() {
        QFETCH(QString, text);
        QFETCH(int, milliseconds);
        Harness h(kUsual);
        h.enter("timeout", text.toLatin1().constData());
        if (milliseconds < 0) {
            expectRefused(h, "Illegal Comms timeout");
        } else {
            QCOMPARE(h.ok(), int(QDialog::Accepted));
            QCOMPARE(h.db.comms.timeOut, static_cast<uint32_t>(milliseconds));
        }
    }

    void reportsOnlyTheFirstBadEntry() {
        Harness h(kUsual);
        h.enter("address", "250");
        h.enter("retries", "300");
        h.enter("timeout", "5");
        expectRefused(h, "Illegal Comms address value");

        Harness second(kUsual);
        second.enter("retries", "300");
        second.enter("timeout", "5");
        expectRefused(second, "Illegal Comms retry count");
    }

    void refusalLeavesTheDialogUsable() {
        Harness h(kUsual);
        h.enter("address", "100");
        QCOMPARE(h.ok(), int(QDialog::Rejected));
        h.enter("address", "12");
        QCOMPARE(h.ok(), int(QDialog::Accepted));
        QCOMPARE(h.db.comms.address, 12);
    }

    void okKeeps19200() {
        Harness h(settings(1, 0, 19200, 100, 2));
        QCOMPARE(h.ok(), int(QDialog::Accepted));
        QCOMPARE(h.db.comms.baudRate, 19200);
    }

    void okStores9600ForAnUnknownRate() {
        Harness h(settings(1, 0, 300, 100, 2));
        QCOMPARE(h.ok(), int(QDialog::Accepted));
        QCOMPARE(h.db.comms.baudRate, 9600);
    }

    void okStoresPort1WhenNoPortIsChecked() {
        Harness h(settings(12, 0, 9600, 100, 2));
        QCOMPARE(h.ok(), int(QDialog::Accepted));
        QCOMPARE(h.db.comms.port, 1);
    }

    void cancelChangesNothing() {
        Harness h(kUsual);
        h.radio("com5")->click();
        h.radio("baud1200")->click();
        h.enter("address", "33");
        h.enter("timeout", "0.5");
        QCOMPARE(press(*h.dialog, "cancel"), int(QDialog::Rejected));
        QCOMPARE(h.db.comms, kUsual);
        QVERIFY(!h.db.modified);
        QVERIFY(h.prompts.shown.empty());
    }

    void dilPatternOfTheOpeningSettings() {
        Harness h(settings(1, 5, 9600, 100, 2));
        QCOMPARE(h.dialog->dilPattern(), std::uint16_t{0x305});
        QCOMPARE(h.dil()->pattern(), std::uint16_t{0x305});
        QCOMPARE(Harness(settings(1, 99, 2400, 100, 2)).dialog->dilPattern(), std::uint16_t{0x163});
    }

    void typingAnAddressFollowsOnTheSwitch() {
        Harness h(settings(1, 5, 9600, 100, 2));
        h.dialog->show();
        QLineEdit* address = h.edit("address");
        address->selectAll();
        QTest::keyClicks(address, "4x2");  // the letter is not taken
        QCOMPARE(address->text(), QStringLiteral("42"));
        QCOMPARE(h.dialog->dilPattern(), std::uint16_t{0x300 | 42});
        QVERIFY(h.beep.beeps.empty());
    }

    void typing100BeepsAndLeavesTheSwitch() {
        Harness h(settings(1, 5, 9600, 100, 2));
        h.dialog->show();
        QLineEdit* address = h.edit("address");
        address->selectAll();
        QTest::keyClicks(address, "10");
        QCOMPARE(h.dialog->dilPattern(), std::uint16_t{0x300 | 10});
        QVERIFY(h.beep.beeps.empty());
        QTest::keyClicks(address, "0");
        QCOMPARE(h.beep.beeps, std::vector<std::string>{"simple"});
        QCOMPARE(h.dialog->dilPattern(), std::uint16_t{0x300 | 10});
        QVERIFY(h.prompts.shown.empty());
    }

    void clickingABaudRateSetsBits8And9() {
        Harness h(settings(1, 5, 9600, 100, 2));
        h.radio("baud2400")->click();
        QCOMPARE(h.dialog->dilPattern(), std::uint16_t{0x105});
        h.radio("baud4800")->click();
        QCOMPARE(h.dialog->dilPattern(), std::uint16_t{0x205});
        h.radio("baud1200")->click();
        QCOMPARE(h.dialog->dilPattern(), std::uint16_t{0x005});
        h.radio("baud19200")->click();  // disabled: nothing happens
        QCOMPARE(h.dialog->dilPattern(), std::uint16_t{0x005});
    }

    void clickingKvlClearsTheModbusBit() {
        Harness h(settings(1, 5, 9600, 100, 2, 1));
        QCOMPARE(h.dialog->dilPattern(), std::uint16_t{0x705});
        h.radio("kvl")->click();
        QCOMPARE(h.dialog->dilPattern(), std::uint16_t{0x305});
        QCOMPARE(h.ok(), int(QDialog::Accepted));
        QCOMPARE(h.db.comms.protocol, 0);
    }

    void storedModbusStaysModbusOnOk() {
        Harness h(settings(1, 5, 9600, 100, 2, 1));
        QCOMPARE(h.ok(), int(QDialog::Accepted));
        QCOMPARE(h.db.comms.protocol, 1);
    }

    void redrawsOnlyWhenThePatternChanges() {
        Harness h(settings(1, 5, 9600, 100, 2));
        const int afterOpening = h.dil()->redrawCount();
        QCOMPARE(afterOpening, 1);
        h.radio("baud9600")->click();  // already 9600
        h.radio("kvl")->click();       // already KVL
        h.enter("address", "05");      // still 5
        QCOMPARE(h.dil()->redrawCount(), afterOpening);
        h.radio("baud4800")->click();
        QCOMPARE(h.dil()->redrawCount(), afterOpening + 1);
        h.enter("address", "6");
        QCOMPARE(h.dil()->redrawCount(), afterOpening + 2);
    }

    void dilSwitchHasItsFixedSize() {
        Harness h(kUsual);
        QCOMPARE(h.dil()->size(), QSize(61, 20));
        QCOMPARE(h.dil()->minimumSize(), QSize(61, 20));
        QCOMPARE(h.dil()->maximumSize(), QSize(61, 20));
    }

    void helpOpensContext214() {
        Harness h(kUsual);
        QCOMPARE(press(*h.dialog, "help"), int(QDialog::Rejected));
        QCOMPARE(h.helps, std::vector<int>{214});
        QVERIFY(h.db.comms == kUsual);
    }

    void timeoutEditTakesFourCharacters() {
        Harness h(kUsual);
        h.dialog->show();
        QLineEdit* timeout = h.edit("timeout");
        timeout->selectAll();
        QTest::keyClicks(timeout, "0.125");
        QCOMPARE(timeout->text(), QStringLiteral("0.12"));
    }

    void aLongStoredTimeoutShowsWhole() {
        // 19 ms, from an entry of 0.02, shows as 0.019 and is accepted again.
        Harness h(settings(1, 0, 9600, 19, 2));
        QCOMPARE(h.edit("timeout")->text(), QStringLiteral("0.019"));
        QCOMPARE(h.ok(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(CommsSetupDialogTest)
#include "comms_setup_dialog_qtest.moc"
