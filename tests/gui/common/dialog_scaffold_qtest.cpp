// The pieces every dialog is built from: the button column and the refusal
// of a field.
#include "gui/common/dialog_buttons.h"
#include "gui/common/field_refusal.h"
#include "support/recording_user_io.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_file_dialogs.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace zat;

namespace {

// A dialog that stores its page before closing, as the editors do.
class StoringDialog final : public QDialog {
public:
    int stores = 0;
    bool storeSucceeds = true;
    void accept() override {
        ++stores;
        if (storeSucceeds) QDialog::accept();
    }
};

struct Context {
    test::RecordingUserIo io;
    test::ScriptedDialogs dialogs;
    std::vector<int> helps;
    GuiContext gui{io.prompts, io.beep, dialogs, io.files, io.cursor, [this](int topic) { helps.push_back(topic); }};
};

}  // namespace

class DialogScaffoldTest : public QObject {
    Q_OBJECT
private slots:
    void okRunsTheDialogsOwnStoreAndHelpOpensItsTopic() {
        Context context;
        StoringDialog dialog;
        auto* layout = new QHBoxLayout(&dialog);
        layout->addWidget(makeDialogButtons(dialog, &context.gui, DialogButtons{QStringLiteral("&OK"), 216}));

        test::press(dialog, "help");
        QCOMPARE(context.helps, std::vector<int>{216});
        dialog.storeSucceeds = false;
        QCOMPARE(test::press(dialog, "ok"), int(QDialog::Rejected));  // a refused store keeps it open
        dialog.storeSucceeds = true;
        QCOMPARE(test::press(dialog, "ok"), int(QDialog::Accepted));
        QCOMPARE(dialog.stores, 2);
        QCOMPARE(test::press(dialog, "cancel"), int(QDialog::Rejected));
        QCOMPARE(dialog.stores, 2);
    }

    void theButtonsStandInOneColumnWithHelpOnlyWhereThereIsATopic() {
        QDialog dialog;
        auto* layout = new QHBoxLayout(&dialog);
        layout->addWidget(new QLineEdit(&dialog));
        layout->addWidget(makeDialogButtons(dialog, nullptr, DialogButtons{QStringLiteral("&Export"), 1}));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* ok = dialog.findChild<QPushButton*>("ok");
        auto* cancel = dialog.findChild<QPushButton*>("cancel");
        auto* help = dialog.findChild<QPushButton*>("help");
        QCOMPARE(ok->text(), QStringLiteral("&Export"));
        // One column from the top: OK, Cancel, Help.
        QCOMPARE(ok->x(), cancel->x());
        QVERIFY(ok->y() < cancel->y() && cancel->y() < help->y());
        QDialog withoutTopic;
        makeDialogButtons(withoutTopic, nullptr, DialogButtons{QStringLiteral("&OK"), 0});
        QVERIFY(withoutTopic.findChild<QPushButton*>("help") == nullptr);

        QDialog noCancel;
        makeDialogButtons(noCancel, nullptr, DialogButtons{QStringLiteral("&OK"), 0, false});
        QVERIFY(noCancel.findChild<QPushButton*>("cancel") == nullptr);
    }

    void aRefusedFieldGetsTheSoundTheBoxAndTheFocus() {
        Context context;
        context.io.prompts.beepSource = &context.io.beep;
        QDialog dialog;
        auto* layout = new QHBoxLayout(&dialog);
        auto* other = new QLineEdit(&dialog);
        auto* field = new QLineEdit(QStringLiteral("65535"), &dialog);
        layout->addWidget(other);
        layout->addWidget(field);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        other->setFocus();

        const FieldMessage refusal{"Value is outside the valid range 0 to 9999", "Error", MessageIcon::Exclamation,
                                   FieldMessage::Sound::Simple};
        refuseField(refusal, field, context.gui);
        QCOMPARE(context.io.beep.beeps, std::vector<std::string>{"simple"});
        QCOMPARE(context.io.prompts.shown.size(), std::size_t{1});
        QCOMPARE(context.io.prompts.shown[0].text, refusal.text);
        QCOMPARE(context.io.prompts.shown[0].beepsBefore, std::size_t{1});
        QVERIFY(field->hasFocus());
        QCOMPARE(field->selectedText(), QStringLiteral("65535"));
    }
};

QTEST_MAIN(DialogScaffoldTest)
#include "dialog_scaffold_qtest.moc"
