// The edits that take digits, in every editor: typed digits of other scripts
// ("٥", full-width "５") are refused like letters, since the rules would read
// them as no digit at all.
#include "gui/editors/analog_input_setup.h"
#include "gui/editors/controller_setup.h"
#include "gui/editors/if_block_editor.h"
#include "gui/editors/profile_edit.h"
#include "support/editor_rig.h"

#include <QLineEdit>
#include <QTest>

#include <functional>
#include <memory>

using namespace zat;

class DigitEditsTest : public QObject {
    Q_OBJECT
private slots:
    void onlyTheDigitsZeroToNineAreTyped() {
        test::EditorRig rig;
        using Make = std::function<std::unique_ptr<QDialog>()>;
        const Make controllers = [&] { return std::make_unique<TControllerSetup>(rig.context()); };
        const Make profiles = [&] { return std::make_unique<TProfileEdit>(rig.context()); };
        const Make inputs = [&] { return std::make_unique<TAINSetup>(rig.context()); };
        const Make ifBlock = [&] { return std::make_unique<TAlSetup>(rig.context(), 0); };
        const struct {
            const Make& dialog;
            const char* edit;
            const char* typed;  // one character at a time
            const char* kept;
        } cases[] = {
            {controllers, "propBand", "1\u0665\uFF152", "12"},
            {controllers, "intTime", "\u0660\u09673", "3"},
            {controllers, "derTime", "\uFF10\uFF19", ""},
            {controllers, "cycle", "2\u06F55", "25"},
            {profiles, "link", "\u0665x4", "4"},
            {profiles, "level0", "-\u0665\uFF157", "-7"},
            {inputs, "hiScalar0", "+9\u0669", "+9"},
            {ifBlock, "ifOperandConstant", "1\uFF10\u0660", "1"},
        };
        for (const auto& c : cases) {
            const std::unique_ptr<QDialog> dialog = c.dialog();
            auto* edit = dialog->findChild<QLineEdit*>(c.edit);
            QVERIFY2(edit != nullptr, c.edit);
            edit->clear();
            for (const QChar typed : QString::fromUtf8(c.typed)) edit->insert(QString(typed));
            QCOMPARE(edit->text(), QString::fromUtf8(c.kept));
        }
    }
};

QTEST_MAIN(DigitEditsTest)
#include "digit_edits_qtest.moc"
