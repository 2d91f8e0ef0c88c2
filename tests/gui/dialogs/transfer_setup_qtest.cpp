#include "gui/dialogs/transfer_setup_dialog.h"
#include "support/recording_user_io.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_file_dialogs.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace zat;
using zat::test::press;

namespace {

QCheckBox* box(QDialog& dialog, int group) {
    return dialog.findChild<QCheckBox*>(QStringLiteral("group%1").arg(group));
}

// A script step that sets the boxes to these bits and presses a button.
test::ScriptedDialogs::Handler tickAndPress(TransferGroups bits, const char* button) {
    return [bits, button](QDialog& dialog) {
        for (int group = 1; group <= 7; ++group) box(dialog, group)->setChecked((bits >> (group - 1)) & 1u);
        return press(dialog, button);
    };
}

}  // namespace

class TransferSetupTest : public QObject {
    Q_OBJECT

private slots:
    void exportForm() {
        TTransferSetup dialog(TransferDirection::Export, {0, {}});
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Export Options"));
        auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("ok"));
        QVERIFY(ok != nullptr);
        QCOMPARE(ok->text(), QStringLiteral("&Export"));
        QCOMPARE(dialog.findChild<QPushButton*>(QStringLiteral("cancel"))->text(), QStringLiteral("&Cancel"));
    }

    void importForm() {
        TTransferSetup dialog(TransferDirection::Import, {0, {}});
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Import Options"));
        QCOMPARE(dialog.findChild<QPushButton*>(QStringLiteral("ok"))->text(), QStringLiteral("&Import"));
    }

    void oneBoxPerGroupInBitOrder() {
        TTransferSetup dialog(TransferDirection::Export, {0, {}});
        const QStringList names = {"Analog input configuration",
                                   "Analog output configuration",
                                   "Hot/Cold Blocks",
                                   "IF Blocks",
                                   "PID Controllers",
                                   "Profile Generators",
                                   "Profiles"};
        QCOMPARE(dialog.findChildren<QCheckBox*>().size(), 7);
        for (int group = 1; group <= 7; ++group) {
            QVERIFY(box(dialog, group) != nullptr);
            QCOMPARE(box(dialog, group)->text(), names[group - 1]);
        }
    }

    void presetTicksTheBoxesOfItsBits() {
        const TransferGroups preset = kTransferAnalogOutputs | kTransferIfBlocks | kTransferProfilers;
        TTransferSetup dialog(TransferDirection::Import, {preset, {}});
        for (int group = 1; group <= 7; ++group) {
            const bool expected = (preset >> (group - 1)) & 1u;
            QCOMPARE(box(dialog, group)->isChecked(), expected);
        }
        QCOMPARE(dialog.checkedGroups(), preset);
    }

    void okReturnsTheCheckedBits() {
        test::ScriptedDialogs dialogs;
        dialogs.script.push_back(tickAndPress(kTransferAnalogInputs | kTransferProfiles, "ok"));
        QCOMPARE(TTransferSetup::choose(dialogs, TransferDirection::Export, {kAllTransferGroups, {}}).groups,
                 kTransferAnalogInputs | kTransferProfiles);
        QCOMPARE(dialogs.titles, std::vector<QString>{QStringLiteral("Export Options")});
    }

    void okWithThePresetKeepsTheSevenGroups() {
        test::ScriptedDialogs dialogs;
        dialogs.script.push_back([](QDialog& dialog) { return press(dialog, "ok"); });
        QCOMPARE(TTransferSetup::choose(dialogs, TransferDirection::Import, {kAllTransferGroups, {}}).groups,
                 TransferGroups{127});
        QCOMPARE(dialogs.titles, std::vector<QString>{QStringLiteral("Import Options")});
    }

    void okWithNoBoxCheckedGivesZero() {
        TTransferSetup dialog(TransferDirection::Export, {kTransferHotColdBlocks, {}});
        box(dialog, 3)->setChecked(false);
        QCOMPARE(press(dialog, "ok"), int(QDialog::Accepted));
        QCOMPARE(dialog.checkedGroups(), TransferGroups{0});

        test::ScriptedDialogs dialogs;
        dialogs.script.push_back(tickAndPress(0, "ok"));
        QCOMPARE(TTransferSetup::choose(dialogs, TransferDirection::Export, {kTransferHotColdBlocks, {}}).groups,
                 TransferGroups{0});
    }

    void cancelGivesZeroWhateverIsChecked() {
        test::ScriptedDialogs dialogs;
        dialogs.script.push_back(tickAndPress(kTransferControllers | kTransferHotColdBlocks, "cancel"));
        QCOMPARE(TTransferSetup::choose(dialogs, TransferDirection::Import, {kAllTransferGroups, {}}).groups,
                 TransferGroups{0});
    }

    void exportAddressesAreCheckedWholeBeforeOk() {
        test::RecordingPrompts prompts;
        test::RecordingBeep beep;
        test::ScriptedDialogs runner;
        test::ScriptedFileDialogs files;
        NoWaitCursor cursor;
        const GuiContext gui{prompts, beep, runner, files, cursor, {}};
        TTransferSetup dialog(TransferDirection::Export, {kAllTransferGroups, {4}}, &gui);
        auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("addresses"));
        QCOMPARE(edit->text(), QStringLiteral("4"));
        edit->setText(QStringLiteral("1,3,3"));
        QCOMPARE(press(dialog, "ok"), int(QDialog::Rejected));
        QCOMPARE(prompts.shown.size(), std::size_t{1});
        QVERIFY(prompts.shown[0].text.find("3 is in the addresses twice") != std::string::npos);
        edit->setText(QStringLiteral("1,5-7"));
        QCOMPARE(press(dialog, "ok"), int(QDialog::Accepted));
        QCOMPARE(dialog.addresses(), (std::vector<int>{1, 5, 6, 7}));
        QVERIFY(TTransferSetup(TransferDirection::Import, {0, {}}).findChild<QLineEdit*>() == nullptr);
    }

    void eachGroupAloneGivesItsOwnBit() {
        for (int group = 1; group <= 7; ++group) {
            const TransferGroups bit = TransferGroups{1} << (group - 1);
            test::ScriptedDialogs dialogs;
            dialogs.script.push_back(tickAndPress(bit, "ok"));
            QCOMPARE(TTransferSetup::choose(dialogs, TransferDirection::Export, {0, {}}).groups, bit);
        }
    }
};

QTEST_MAIN(TransferSetupTest)
#include "transfer_setup_qtest.moc"
