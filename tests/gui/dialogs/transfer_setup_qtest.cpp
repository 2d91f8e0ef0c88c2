#include "gui/dialogs/transfer_setup_dialog.h"
#include "support/scripted_dialogs.h"

#include <QCheckBox>
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
        TTransferSetup dialog(TransferDirection::Export, 0);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Export Options"));
        auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("ok"));
        QVERIFY(ok != nullptr);
        QCOMPARE(ok->text(), QStringLiteral("&Export"));
        QCOMPARE(dialog.findChild<QPushButton*>(QStringLiteral("cancel"))->text(), QStringLiteral("&Cancel"));
    }

    void importForm() {
        TTransferSetup dialog(TransferDirection::Import, 0);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Import Options"));
        QCOMPARE(dialog.findChild<QPushButton*>(QStringLiteral("ok"))->text(), QStringLiteral("&Import"));
    }

    void oneBoxPerGroupInBitOrder() {
        TTransferSetup dialog(TransferDirection::Export, 0);
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
        TTransferSetup dialog(TransferDirection::Import, preset);
        for (int group = 1; group <= 7; ++group) {
            const bool expected = (preset >> (group - 1)) & 1u;
            QCOMPARE(box(dialog, group)->isChecked(), expected);
        }
        QCOMPARE(dialog.checkedGroups(), preset);
    }

    void okReturnsTheCheckedBits() {
        test::ScriptedDialogs dialogs;
        dialogs.script.push_back(tickAndPress(kTransferAnalogInputs | kTransferProfiles, "ok"));
        QCOMPARE(TTransferSetup::choose(dialogs, TransferDirection::Export, kAllTransferGroups),
                 kTransferAnalogInputs | kTransferProfiles);
        QCOMPARE(dialogs.titles, std::vector<QString>{QStringLiteral("Export Options")});
    }

    void okWithThePresetKeepsTheSevenGroups() {
        test::ScriptedDialogs dialogs;
        dialogs.script.push_back([](QDialog& dialog) { return press(dialog, "ok"); });
        QCOMPARE(TTransferSetup::choose(dialogs, TransferDirection::Import, kAllTransferGroups), TransferGroups{127});
        QCOMPARE(dialogs.titles, std::vector<QString>{QStringLiteral("Import Options")});
    }

    void okWithNoBoxCheckedGivesZero() {
        TTransferSetup dialog(TransferDirection::Export, kTransferHotColdBlocks);
        box(dialog, 3)->setChecked(false);
        QCOMPARE(press(dialog, "ok"), int(QDialog::Accepted));
        QCOMPARE(dialog.checkedGroups(), TransferGroups{0});

        test::ScriptedDialogs dialogs;
        dialogs.script.push_back(tickAndPress(0, "ok"));
        QCOMPARE(TTransferSetup::choose(dialogs, TransferDirection::Export, kTransferHotColdBlocks), TransferGroups{0});
    }

    void cancelGivesZeroWhateverIsChecked() {
        test::ScriptedDialogs dialogs;
        dialogs.script.push_back(tickAndPress(kTransferControllers | kTransferHotColdBlocks, "cancel"));
        QCOMPARE(TTransferSetup::choose(dialogs, TransferDirection::Import, kAllTransferGroups), TransferGroups{0});
    }

    void eachGroupAloneGivesItsOwnBit() {
        for (int group = 1; group <= 7; ++group) {
            const TransferGroups bit = TransferGroups{1} << (group - 1);
            test::ScriptedDialogs dialogs;
            dialogs.script.push_back(tickAndPress(bit, "ok"));
            QCOMPARE(TTransferSetup::choose(dialogs, TransferDirection::Export, 0), bit);
        }
    }
};

QTEST_MAIN(TransferSetupTest)
#include "transfer_setup_qtest.moc"
