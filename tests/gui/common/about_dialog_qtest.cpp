#include "gui/common/about_dialog.h"
#include "support/scripted_dialogs.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace zat;

class AboutDialogTest : public QObject {
    Q_OBJECT

private:
    static QStringList texts(QDialog& dialog) {
        QStringList all;
        for (const QLabel* label : dialog.findChildren<QLabel*>()) all << label->text();
        return all;
    }

private slots:
    void showsTheProgramsTexts() {
        TAboutDialog dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("About ZATSetup"));
        const QStringList shown = texts(dialog);
        QVERIFY(shown.contains(QStringLiteral("ZATSetup.exe")));
        QVERIFY(shown.contains(QStringLiteral("V2.04  12/2/2004")));
    }

    void namesThisBuild() {
        {
            TAboutDialog dialog;
            QVERIFY(texts(dialog).contains(QStringLiteral("ZAT Setup for Linux")));
        }
        QCoreApplication::setApplicationVersion(QStringLiteral("1.2.3"));
        TAboutDialog dialog;
        QCoreApplication::setApplicationVersion(QString());
        QVERIFY(texts(dialog).contains(QStringLiteral("ZAT Setup for Linux 1.2.3")));
    }

    void showsTheProgramIcon() {
        QVERIFY(QFile::exists(QStringLiteral(":/icons/zatsetup.svg")));
        TAboutDialog dialog;
        auto* icon = dialog.findChild<QLabel*>(QStringLiteral("icon"));
        QVERIFY(icon != nullptr);
        QCOMPARE(icon->pixmap().size(), QSize(48, 48));
    }

    void okCloses() {
        TAboutDialog dialog;
        QCOMPARE(dialog.findChild<QPushButton*>(QStringLiteral("ok"))->text(), QStringLiteral("&OK"));
        QCOMPARE(test::press(dialog, "ok"), int(QDialog::Accepted));
    }
};

QTEST_MAIN(AboutDialogTest)
#include "about_dialog_qtest.moc"
