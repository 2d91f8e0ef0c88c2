// The listings on paper: real PDF files written offscreen (also by zatsetup
// --print), a path that cannot be written, and both Print commands through the preview's Print and the
// print dialog, printing to a PDF file.
#include "gui/editors/if_block_list.h"
#include "gui/printing/listing_printer.h"
#include "gui/shell/command_table.h"
#include "support/run_program.h"
#include "support/window_rig.h"

#include <QAction>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

using namespace zat;

namespace {

int pdfPages(const std::string& path) {
    return static_cast<int>(QString::fromLatin1(QByteArray::fromStdString(test::readFile(path)))
                                .count(QRegularExpression(QStringLiteral("/Type /Page[^s]"))));
}

void fillIfBlocks(ConfigDatabase& db, int count) {
    for (int i = 0; i < count; ++i) {
        db.ifBlocks[static_cast<std::size_t>(i)].ifOperand1 = 1;
        db.ifBlocks[static_cast<std::size_t>(i)].flags = 0x80;
    }
    db.ifBlockCount = count;
}

// Presses the preview's Print, then prints from the print dialog to `pdf`.
void printTo(test::WindowRig& rig, const std::string& pdf) {
    rig.dialogs.script.push_back([](QDialog& d) {
        d.findChild<QAction*>(QStringLiteral("print"))->trigger();
        return d.result();
    });
    rig.dialogs.script.push_back([pdf](QDialog& d) {
        QPrinter* printer = qobject_cast<QPrintDialog*>(&d)->printer();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(QString::fromStdString(pdf));
        return int(QDialog::Accepted);
    });
}

}  // namespace

class ListingPrinterTest : public QObject {
    Q_OBJECT
private slots:
    void pdfHoldsTheListingsPages() {
        test::TempDir dir;
        ConfigDatabase db;
        fillIfBlocks(db, 90);
        struct Case {
            Listing listing;
            int pages;
        };
        for (const Case c : {Case{Listing::IO, 1}, Case{Listing::IF, 2}}) {
            const std::string path = dir.file("listing.pdf");
            QCOMPARE(writeListingPdf(c.listing, path, db), std::string());
            QCOMPARE(pdfPages(path), c.pages);
        }
    }

    void aPdfThatCannotBeWrittenIsAFailure() {
        test::TempDir dir;
        const std::string path = dir.file("missing/listing.pdf");
        QCOMPARE(writeListingPdf(Listing::IO, path, ConfigDatabase{}), std::string(kErrorDuringPrint));
        QVERIFY(!QFile::exists(QString::fromStdString(path)));
    }

    void zatsetupPrintsToAPdfWithoutAWindow() {
        test::TempDir dir;
        const std::string demo = std::string(ZAT_SOURCE_DIR) + "/examples/demo-plant.zat";
        const std::string pdf = dir.file("if.pdf");
        const auto written = test::runProgram(ZATSETUP_PATH, {"--print", "if", "--pdf", pdf, demo});
        QCOMPARE(written.exitCode, 0);
        QCOMPARE(pdfPages(pdf), 1);
        const auto refused = test::runProgram(ZATSETUP_PATH, {"--print", "if", "--pdf", dir.file("no/if.pdf"), demo});
        QCOMPARE(refused.exitCode, 2);
        QVERIFY(refused.err.find("Print Error: 'ZAT IF Block Listing : demo-plant.zat' not printed. Error "
                                 "encountered during print.\n") != std::string::npos);
    }

    void fileMenuPrintsTheIoListingAfterThePreview() {
        test::WindowRig rig;
        rig.start();
        // Closing the preview prints nothing.
        rig.window->runCommand(cmd::PrintListing);
        QCOMPARE(rig.dialogs.titles.size(), std::size_t{1});
        QVERIFY(rig.messages().empty());

        const std::string pdf = rig.dir.file("io.pdf");
        printTo(rig, pdf);
        rig.window->runCommand(cmd::PrintListing);
        QCOMPARE(rig.dialogs.titles.size(), std::size_t{3});
        QCOMPARE(pdfPages(pdf), 1);
        QVERIFY(rig.messages().empty());

        printTo(rig, rig.dir.file("missing/io.pdf"));
        rig.window->runCommand(cmd::PrintListing);
        QCOMPARE(rig.messages(), std::vector<std::string>{
                                     "' ZAT I/O Listing : Default.zat' not printed. Error encountered during print."});
    }

    void ifBlockListPrintsItsListing() {
        test::WindowRig rig;
        rig.start();
        fillIfBlocks(rig.db, 3);
        TIFList list(rig.window->windowContext());
        const std::string pdf = rig.dir.file("if.pdf");
        printTo(rig, pdf);
        auto* print = list.findChild<QPushButton*>(QStringLiteral("printButton"));
        QVERIFY(print->isEnabled());
        QTest::mouseClick(print, Qt::LeftButton);
        QCOMPARE(rig.dialogs.titles.front(), QStringLiteral("ZAT IF Block Listing : Default.zat"));
        QCOMPARE(pdfPages(pdf), 1);
        QVERIFY(rig.messages().empty());
    }
};

QTEST_MAIN(ListingPrinterTest)
#include "listing_printer_qtest.moc"
