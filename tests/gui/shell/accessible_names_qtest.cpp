// Every window as a screen reader meets it: each is opened (the ones a
// command opens through the command table, against the embedded simulated
// unit) and its tree is walked through QAccessible. A control or live value
// without a name, or two controls of one role sharing a name, is an offence.
#include "gui/calibration/calibrate.h"
#include "gui/common/about_dialog.h"
#include "gui/common/help_window.h"
#include "gui/common/please_wait.h"
#include "gui/common/text_conversion.h"
#include "gui/dialogs/transfer_setup_dialog.h"
#include "gui/editors/if_block_editor.h"
#include "gui/monitors/analog_input_monitor.h"
#include "gui/monitors/analog_output_monitor.h"
#include "gui/monitors/digital_monitors.h"
#include "gui/printing/listing_printer.h"
#include "gui/printing/printing_window.h"
#include "gui/shell/command_table.h"
#include "gui/shell/embedded_unit.h"
#include "gui/shell/zat_window.h"
#include "support/window_rig.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QTest>

#include <algorithm>
#include <map>
#include <memory>
#include <set>

using namespace zat;

namespace {

// What a person acts on.
bool interactive(QAccessible::Role role) {
    static const std::set<QAccessible::Role> roles = {
        QAccessible::PushButton,   QAccessible::CheckBox,   QAccessible::RadioButton,    QAccessible::ComboBox,
        QAccessible::EditableText, QAccessible::SpinBox,    QAccessible::Slider,         QAccessible::PageTab,
        QAccessible::MenuItem,     QAccessible::ButtonMenu, QAccessible::ButtonDropDown, QAccessible::Link,
        QAccessible::ListItem,     QAccessible::Cell,       QAccessible::ProgressBar,
    };
    return roles.contains(role);
}

// What shows a reading or a state: a picture, or a text the window keeps
// up to date (it has an object name to reach it by; a caption has none).
bool liveValue(QAccessibleInterface* node) {
    const QAccessible::Role role = node->role();
    if (role == QAccessible::Graphic || role == QAccessible::Indicator) return true;
    return role == QAccessible::StaticText && node->object() != nullptr && !node->object()->objectName().isEmpty();
}

// The name a screen reader speaks. On Linux Qt names a combo box by its
// current text and gives its label as a relation, spoken first.
QString spokenName(QAccessibleInterface* node) {
    QString name = node->text(QAccessible::Name).trimmed();
    if (node->role() != QAccessible::ComboBox) return name;
    for (const auto& [other, relation] : node->relations(QAccessible::Label)) {
        if (other->role() == QAccessible::StaticText) name = other->text(QAccessible::Name) + ' ' + name;
    }
    return name.trimmed();
}

QString describe(QAccessibleInterface* node) {
    QObject* object = node->object();
    const QString objectName = object != nullptr ? object->objectName() : QString();
    const QString className = object != nullptr ? QString::fromLatin1(object->metaObject()->className()) : "item";
    return QString("%1 %2 \"%3\"")
        .arg(className, objectName.isEmpty() ? QString("(no object name)") : objectName, spokenName(node));
}

// The offences of one window.
struct Walk {
    QStringList unnamed;
    std::map<std::pair<QAccessible::Role, QString>, int> names;
    std::set<QString> menuItems;
    int controls = 0;

    void visit(QAccessibleInterface* node, int depth = 0) {
        if (node == nullptr || !node->isValid() || depth > 40) return;
        const QAccessible::Role role = node->role();
        // A hidden control is not read out (a closed menu is walked all the same).
        const bool menu = role == QAccessible::PopupMenu || role == QAccessible::MenuItem;
        if (node->state().invisible && !menu) return;
        if (role == QAccessible::MenuItem) menuItems.insert(node->text(QAccessible::Name));
        if (interactive(role) || liveValue(node)) {
            ++controls;
            const QString name = spokenName(node);
            if (name.isEmpty()) {
                unnamed << describe(node);
            } else {
                ++names[{role, name}];
            }
        }
        for (int i = 0; i < node->childCount(); ++i) visit(node->child(i), depth + 1);
    }

    QStringList shared() const {
        QStringList found;
        for (const auto& [key, count] : names) {
            if (count > 1)
                found << QString("%1 controls of role %2 named \"%3\"").arg(count).arg(key.first).arg(key.second);
        }
        return found;
    }
};

struct Finding {
    QString window;
    Walk walk;
};

Finding walkWindow(QWidget& window, const QString& name) {
    window.show();
    QApplication::processEvents();
    Finding finding{name, {}};
    finding.walk.visit(QAccessible::queryAccessibleInterface(&window));
    return finding;
}

// Every window of the program: those the command table opens, then those
// opened from inside another window or by the main window itself.
std::vector<Finding> walkEveryWindow(TZATWindow& main) {
    std::vector<Finding> findings;
    for (const CommandInfo& command : commandInfos()) {
        if (command.action.makeWindow == nullptr) continue;
        const std::unique_ptr<QWidget> window = command.action.makeWindow(main);
        findings.push_back(walkWindow(*window, QString(command.text).remove('&')));
    }
    TAlSetup ifBlockEditor(main.windowContext(), 0);
    findings.push_back(walkWindow(ifBlockEditor, "IF block editor"));
    TTransferSetup exportOptions(TransferDirection::Export, {kAllTransferGroups, {1}});
    findings.push_back(walkWindow(exportOptions, "Export options"));
    TTransferSetup importOptions(TransferDirection::Import, {kAllTransferGroups, {}});
    findings.push_back(walkWindow(importOptions, "Import options"));
    TPrintingWindow printing(nullptr);
    printing.setMessage(toQString(nowPrintingPage(2)));
    findings.push_back(walkWindow(printing, "Printing"));
    TPleaseWait working;
    working.setRange(0, 10);
    working.setMessage("Writing ZAT data file");
    findings.push_back(walkWindow(working, "Working"));
    HelpWindow help;
    help.showPage(helpPageUrl(0));
    findings.push_back(walkWindow(help, "Help"));
    findings.push_back(walkWindow(main, "Main window"));
    return findings;
}

// The main window on the program's own simulated unit, as `zatsetup --simulate` runs.
struct SimulatedMainWindow {
    EmbeddedUnit unit;
    test::WindowRig rig;
    std::unique_ptr<TZATWindow> window;

    SimulatedMainWindow() {
        rig.db.setCurrentFile(rig.writeQuickDatabase("plant.zat"));
        window = std::make_unique<TZATWindow>(rig.db, rig.context(), &unit);
        window->startUp();
    }
};

QString spokenName(const QWidget& window, const QString& objectName) {
    auto* control = window.findChild<QWidget*>(objectName);
    return control != nullptr ? spokenName(QAccessible::queryAccessibleInterface(control)) : "(no " + objectName + ")";
}

QString text(const QWidget& window, const QString& objectName) {
    auto* label = window.findChild<QLabel*>(objectName);
    return label != nullptr ? label->text() : QString();
}

}  // namespace

class AccessibleNamesTest : public QObject {
    Q_OBJECT
private slots:
    void everyControlOfEveryWindowHasItsOwnName();
    void liveValuesSayTheirChannelAndWhatTheyShow();
};

void AccessibleNamesTest::everyControlOfEveryWindowHasItsOwnName() {
    SimulatedMainWindow simulated;
    TZATWindow& main = *simulated.window;
    QVERIFY(main.link().isOpen());

    QStringList offences;
    int controls = 0;
    int unnamed = 0;
    const std::vector<Finding> findings = walkEveryWindow(main);
    for (const Finding& finding : findings) {
        controls += finding.walk.controls;
        unnamed += static_cast<int>(finding.walk.unnamed.size());
        for (const QString& control : finding.walk.unnamed) offences << finding.window + ": no name: " + control;
        for (const QString& shared : finding.walk.shared()) offences << finding.window + ": " + shared;
    }
    qInfo("%d controls and live values, %d without a name", controls, unnamed);
    // Every menu's commands, Help's too, are in the main window's tree.
    const Walk& mainWindow = findings.back().walk;
    std::vector<MenuLayout> menus = mainMenus();
    menus.push_back(helpMenu());
    for (const MenuLayout& menu : menus) {
        for (const int id : menu.items) {
            if (id == 0) continue;
            const QString text = QString(commandInfo(id).text).remove('&');
            const bool found = std::any_of(mainWindow.menuItems.begin(), mainWindow.menuItems.end(),
                                           [&](const QString& item) { return item.startsWith(text); });
            if (!found) offences << "Main window: menu item \"" + text + "\" is not in the tree";
        }
    }
    // One line each: Qt Test cuts a long failure message short.
    for (const QString& offence : offences) qWarning("%s", qPrintable(offence));
    QVERIFY2(offences.isEmpty(), qPrintable(QString("%1 offences, listed above").arg(offences.size())));
}

// The names follow what the windows show after a sweep of the simulated unit.
void AccessibleNamesTest::liveValuesSayTheirChannelAndWhatTheyShow() {
    SimulatedMainWindow simulated;
    TZATWindow& main = *simulated.window;
    const auto open = [](auto window) {
        if (succeeded(window->start())) window->sweep();
        return window;
    };
    const auto inputs = open(std::make_unique<TAINMonitor>(main.windowContext()));
    const auto outputs = open(std::make_unique<TAOUTMonitor>(main.windowContext()));
    const auto digitalInputs = open(std::make_unique<TDINMonitor>(main.windowContext()));
    const auto digitalOutputs = open(std::make_unique<TDOUTMonitor>(main.windowContext()));
    const auto calibration = open(std::make_unique<TCalibrate>(main.windowContext(), kOutputCalibration));
    const auto lampState = [&](int row) {
        const QVariant lit = digitalInputs->findChild<QWidget*>(QString("lamp%1").arg(row))->property("lit");
        return !lit.isValid() ? QString("unknown") : lit.toBool() ? QString("on") : QString("off");
    };
    const struct {
        const QWidget& window;
        QString control;
        QString expected;
    } rows[] = {
        {*inputs, "value3", text(*inputs, "name3") + " " + text(*inputs, "value3")},
        {*inputs, "range3", text(*inputs, "name3") + " " + text(*inputs, "range3")},
        {*outputs, "entry2", text(*outputs, "name2") + " New value"},
        {*outputs, "current2", text(*outputs, "name2") + " Current"},
        {*digitalInputs, "lamp5", text(*digitalInputs, "name5") + " " + lampState(5)},
        {*digitalOutputs, "box5", text(*digitalOutputs, "name5") + " force"},
        {*calibration, "zeroMinus", "Zero down"},
        {*calibration, "zeroPlus", "Zero up"},
        {*calibration, "spanMinus", "Span down"},
        {*calibration, "spanPlus", "Span up"},
        {*calibration, "zero", "Zero " + text(*calibration, "zero")},
    };
    for (const auto& row : rows) {
        QVERIFY(!row.expected.startsWith(' '));  // the row has a channel name
        QCOMPARE(spokenName(row.window, row.control), row.expected);
    }
}

QTEST_MAIN(AccessibleNamesTest)
#include "accessible_names_qtest.moc"
