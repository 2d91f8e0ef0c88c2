#include "gui/common/help_window.h"
#include "support/window_views.h"

#include <QAction>
#include <QFile>
#include <QSet>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

using namespace zat;

namespace {

// The resource file behind a help address ("qrc:/help/x.html" -> ":/help/x.html").
QString resourcePath(const QUrl& url) { return QLatin1Char(':') + url.path(); }

const int kContexts[] = {200, 201, 202, 203, 204, 205, 206, 207, 208, 209, 210,
                         211, 212, 214, 215, 216, 217, 221, 222, 223, 240};

}  // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT

private slots:
    void contextsNameTheirPages_data() {
        QTest::addColumn<int>("context");
        QTest::addColumn<QString>("page");
        QTest::newRow("contents") << 0 << "index.html";
        QTest::newRow("200") << 200 << "digital_input_monitor.html";
        QTest::newRow("201") << 201 << "digital_output_monitor.html";
        QTest::newRow("202") << 202 << "analog_input_monitor.html";
        QTest::newRow("203") << 203 << "analog_output_monitor.html";
        QTest::newRow("204") << 204 << "controller_monitor.html";
        QTest::newRow("205") << 205 << "digital_input_comments.html";
        QTest::newRow("206") << 206 << "digital_output_comments.html";
        QTest::newRow("207") << 207 << "analog_input_setup.html";
        QTest::newRow("208") << 208 << "analog_output_setup.html";
        QTest::newRow("209") << 209 << "hot_cold_blocks.html";
        QTest::newRow("210") << 210 << "if_block_editor.html";
        QTest::newRow("211") << 211 << "pid_controller_setup.html";
        QTest::newRow("212") << 212 << "if_block_list.html";
        QTest::newRow("214") << 214 << "communications_setup.html";
        QTest::newRow("215") << 215 << "cold_junction_calibration.html";
        QTest::newRow("216") << 216 << "analog_output_calibration.html";
        QTest::newRow("217") << 217 << "analog_input_calibration.html";
        QTest::newRow("221") << 221 << "profile_editor.html";
        QTest::newRow("222") << 222 << "profiler_monitor.html";
        QTest::newRow("223") << 223 << "profiler_setup.html";
        QTest::newRow("240") << 240 << "traffic.html";
    }

    void contextsNameTheirPages() {
        QFETCH(int, context);
        QFETCH(QString, page);
        QCOMPARE(helpPageUrl(context), QUrl(QStringLiteral("qrc:/help/") + page));
    }

    void everyPageIsCompiledIn() {
        QVERIFY2(QFile::exists(resourcePath(helpPageUrl(0))), "contents");
        for (int context : kContexts) {
            const QString path = resourcePath(helpPageUrl(context));
            QVERIFY2(QFile::exists(path), qPrintable(path));
        }
        QVERIFY(QFile::exists(resourcePath(helpOnHelpUrl())));
    }

    void everyContextHasAPageOfItsOwn() {
        QSet<QUrl> pages;
        for (int context : kContexts) pages.insert(helpPageUrl(context));
        QCOMPARE(pages.size(), int(std::size(kContexts)));
        QVERIFY(!pages.contains(helpPageUrl(0)));
    }

    void unknownContextsGiveTheContents() {
        for (int context : {-1, 1, 199, 213, 218, 219, 220, 224, 1300}) {
            QCOMPARE(helpPageUrl(context), QUrl(QStringLiteral("qrc:/help/index.html")));
        }
    }

    void helpOnHelpHasItsOwnPage() { QCOMPARE(helpOnHelpUrl(), QUrl(QStringLiteral("qrc:/help/using_help.html"))); }

    void showPageShowsThatPage() {
        HelpWindow window;
        QCOMPARE(window.windowTitle(), QStringLiteral("ZAT Setup Help"));
        QVERIFY(!window.isVisible());
        window.showPage(helpPageUrl(214));
        QVERIFY(window.isVisible());
        QCOMPARE(zat::test::shownHelpPage(window), helpPageUrl(214));
        auto* browser = window.findChild<QTextBrowser*>(QStringLiteral("browser"));
        QVERIFY(browser != nullptr);
        QVERIFY(!browser->toPlainText().trimmed().isEmpty());
        QFile page(resourcePath(helpPageUrl(214)));
        QVERIFY(page.open(QIODevice::ReadOnly));
        QTextDocument expected;
        expected.setHtml(QString::fromUtf8(page.readAll()));
        QCOMPARE(browser->toPlainText(), expected.toPlainText());
    }

    void contentsBackAndForward() {
        HelpWindow window;
        window.showPage(helpPageUrl(207));
        auto* back = window.findChild<QAction*>(QStringLiteral("back"));
        auto* forward = window.findChild<QAction*>(QStringLiteral("forward"));
        auto* contents = window.findChild<QAction*>(QStringLiteral("contents"));
        QVERIFY(back && forward && contents);
        QVERIFY(!back->isEnabled());
        contents->trigger();
        QCOMPARE(zat::test::shownHelpPage(window), helpPageUrl(0));
        QVERIFY(back->isEnabled());
        back->trigger();
        QCOMPARE(zat::test::shownHelpPage(window), helpPageUrl(207));
        QVERIFY(forward->isEnabled());
        forward->trigger();
        QCOMPARE(zat::test::shownHelpPage(window), helpPageUrl(0));
    }

    void showingAnotherPageReusesTheWindow() {
        HelpWindow window;
        window.showPage(helpPageUrl(214));
        window.showPage(helpOnHelpUrl());
        QCOMPARE(zat::test::shownHelpPage(window), helpOnHelpUrl());
        QVERIFY(window.isVisible());
    }

    void pagesTakeTheSharedStyleSheet() {
        HelpWindow window;
        window.showPage(helpPageUrl(214));
        const QTextDocument* page = window.findChild<QTextBrowser*>(QStringLiteral("browser"))->document();
        bool headingSeen = false;
        for (QTextBlock block = page->begin(); block.isValid(); block = block.next()) {
            if (block.blockFormat().headingLevel() != 1) continue;
            headingSeen = true;
            QCOMPARE(block.charFormat().foreground().color(), QColor("#1565c0"));
        }
        QVERIFY(headingSeen);
    }
};

QTEST_MAIN(HelpWindowTest)
#include "help_window_qtest.moc"
