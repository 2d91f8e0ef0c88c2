// The digital comment editor in both modes, what Cancel leaves behind, and
// OK through the main window into the saved file.
#include "gui/common/help_window.h"
#include "gui/editors/digital_setup.h"
#include "gui/shell/command_table.h"
#include "support/window_rig.h"
#include "support/window_views.h"

#include <QGroupBox>
#include <QLabel>
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
QLineEdit* comment(QDialog& d, int row) { return d.findChild<QLineEdit*>(QStringLiteral("comment%1").arg(row)); }
QString label(QDialog& d, int row) { return d.findChild<QLabel*>(QStringLiteral("label%1").arg(row))->text(); }

// Caption, group, tab count and the tab on display, its first and last rows.
QString summary(QDialog& d) {
    return QStringList{d.windowTitle(), d.findChild<QGroupBox*>("channels")->title(),
                       QString::number(tabs(d)->count()) + " " + tabs(d)->tabText(tabs(d)->currentIndex()),
                       label(d, 0) + " " + label(d, 7) + " " + comment(d, 7)->text()}
        .join('|');
}

}  // namespace

class DigitalSetupTest : public QObject {
    Q_OBJECT
private slots:
    void eachModeShowsItsTabsRowsAndHelp() {
        Rig rig;
        rig.db.digitalOutputComments[55].assign("Last lamp");
        TDInputSetup inputs(rig.context());
        TDOutputSetup outputs(rig.context());
        tabs(inputs)->setCurrentIndex(4);
        tabs(outputs)->setCurrentIndex(6);
        QCOMPARE(summary(inputs), QStringLiteral("Digital Input Setup|Digital Input Channels|5 Slot 5|C32 C39 "));
        QCOMPARE(summary(outputs),
                 QStringLiteral("Digital Output Setup|Digital Output Channels|7 48-55|D48 D55 Last lamp"));
        test::press(inputs, "help");
        QCOMPARE(rig.help(), helpPageUrl(205));
        test::press(outputs, "help");
        QCOMPARE(rig.help(), helpPageUrl(206));
    }

    void cancelMarksModifiedOnlyWhenATabChangeStoredAChange() {
        Rig rig;
        for (const bool typeFirst : {false, true}) {
            TDInputSetup dialog(rig.context());
            if (typeFirst) comment(dialog, 2)->setText("Door switch");
            tabs(dialog)->setCurrentIndex(1);
            comment(dialog, 0)->setText("on display, never stored");
            QCOMPARE(test::press(dialog, "cancel"), int(QDialog::Rejected));
            QCOMPARE(rig.db.modified, typeFirst);
            QCOMPARE(rig.db.digitalInputComments[2].view(), std::string_view(typeFirst ? "Door switch" : ""));
            QVERIFY(rig.db.digitalInputComments[8].empty());
        }
    }

    void okThroughTheMainWindowReachesTheSavedFile() {
        Rig rig;
        rig.dialogs.script.push_back([](QDialog& d) {
            tabs(d)->setCurrentIndex(6);
            QTest::keyClicks(comment(d, 7), QString(35, 'x'));  // 29 are taken
            return test::press(d, "ok");
        });
        rig.window->runCommand(cmd::DigitalOutputComments);
        QCOMPARE(rig.dialogs.titles, std::vector<QString>{"Digital Output Setup"});
        QVERIFY(rig.db.modified);
        rig.window->runCommand(cmd::Save);
        QVERIFY(test::readFile(rig.path).find("\nOutput 55=" + std::string(29, 'x') + "\r\n") != std::string::npos);
    }
};

QTEST_MAIN(DigitalSetupTest)
#include "digital_setup_qtest.moc"
