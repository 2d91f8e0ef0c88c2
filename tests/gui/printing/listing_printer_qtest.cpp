// The listings on paper: real PDF files written offscreen (also by zatsetup
// --print), paths that cannot be written and a full disk, and both Print
// commands through the preview's Print and the print dialog, printing to a
// PDF file, with the "Printing" window of a long listing and its Cancel.
#include "gui/editors/if_block_list.h"
#include "gui/printing/listing_pdf.h"
#include "gui/printing/listing_printer.h"
#include "gui/printing/printing_window.h"
#include "gui/shell/command_table.h"
#include "support/run_program.h"
#include "support/small_disk.h"
#include "support/window_rig.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

using namespace zat;

namespace {

int pdfPages(const std::string& path) {
    return static_cast<int>(QString::fromLatin1(QByteArray::fromStdString(test::readFile(path)))
                                .count(QRegularExpression(QStringLiteral("/Type /Page[^s]"))));
}

// The first page's size in whole points, "595 842" for A4.
QString mediaBox(const std::string& path) {
    const QRegularExpressionMatch box =
        QRegularExpression(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"))
            .match(QString::fromLatin1(QByteArray::fromStdString(test::readFile(path))));
    if (!box.hasMatch()) return {};
    return QStringLiteral("%1 %2").arg(qRound(box.captured(1).toDouble())).arg(qRound(box.captured(2).toDouble()));
}

const QString kA4 = QStringLiteral("595 842");
const QString kLetter = QStringLiteral("612 792");

QStringList entriesOf(const std::string& folder) {
    return QDir(QString::fromStdString(folder)).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// Sets an environment variable for as long as it lives.
class EnvironmentVariable {
public:
    EnvironmentVariable(const char* name, const char* value) : name_(name), saved_(qgetenv(name)) {
        qputenv(name, value);
    }
    ~EnvironmentVariable() { qputenv(name_, saved_); }

private:
    const char* name_;
    QByteArray saved_;
};

void fillIfBlocks(ConfigDatabase& db, int count) {
    for (int i = 0; i < count; ++i) {
        db.ifBlocks[static_cast<std::size_t>(i)].ifOperand1 = 1;
        db.ifBlocks[static_cast<std::size_t>(i)].flags = 0x80;
    }
    db.ifBlockCount = count;
}

// Presses the preview's Print, then prints from the print dialog to `pdf`
// on this paper.
void printTo(test::WindowRig& rig, const std::string& pdf, QPageSize::PageSizeId paper = QPageSize::A4) {
    rig.dialogs.script.push_back([](QDialog& d) {
        d.findChild<QAction*>(QStringLiteral("print"))->trigger();
        return d.result();
    });
    rig.dialogs.script.push_back([pdf, paper](QDialog& d) {
        QPrinter* printer = qobject_cast<QPrintDialog*>(&d)->printer();
        printer->setPageSize(QPageSize(paper));
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
            SilentPrintProgress quiet;
            QCOMPARE(writeListingPdf(c.listing, path, db, pdfPageOf(Paper::A4), quiet), std::string());
            QCOMPARE(pdfPages(path), c.pages);
        }
    }

    void aPdfThatCannotBeWrittenIsAFailure() {
        test::TempDir dir;
        const std::string path = dir.file("missing/listing.pdf");
        SilentPrintProgress quiet;
        std::string reason;
        QCOMPARE(writeListingPdf(Listing::IO, path, ConfigDatabase{}, pdfPageOf(Paper::A4), quiet, &reason),
                 std::string(kErrorDuringPrint));
        QCOMPARE(reason, std::string("No such file or directory"));
        QVERIFY(!QFile::exists(QString::fromStdString(path)));
    }

    // The Letter/A4 rule of the locale, and --paper over it.
    void zatsetupPdfTakesTheLocalesPaperUnlessGiven() {
        test::TempDir dir;
        const std::string demo = std::string(ZAT_SOURCE_DIR) + "/examples/demo-plant.zat";
        const std::string pdf = dir.file("io.pdf");
        struct Case {
            const char* locale;
            std::vector<std::string> paper;
            QString mediaBox;
        };
        const Case cases[] = {
            {"en_US.UTF-8", {}, kLetter},
            {"de_DE.UTF-8", {}, kA4},
            {"en_GB.UTF-8", {}, kA4},
            {"en_US.UTF-8", {"--paper", "a4"}, kA4},
            {"de_DE.UTF-8", {"--paper", "letter"}, kLetter},
        };
        for (const Case& c : cases) {
            const EnvironmentVariable locale("LC_ALL", c.locale);
            std::vector<std::string> args = {"--print", "io", "--pdf", pdf, demo};
            args.insert(args.end(), c.paper.begin(), c.paper.end());
            QCOMPARE(test::runProgram(ZATSETUP_PATH, args).exitCode, 0);
            QCOMPARE(mediaBox(pdf), c.mediaBox);
        }
    }

    // The disk fills part way: the old file stays, nothing else is left, and
    // neither zatsetup --print nor the print dialog's PDF says printed.
    void aFullDiskLeavesTheOldPdfAndIsNotPrinted() {
        const std::string demo = std::string(ZAT_SOURCE_DIR) + "/examples/demo-plant.zat";
        test::WindowRig rig;
        rig.start();
        test::SmallDisk disk;
        const std::string pdf = disk.file("listing.pdf");
        test::writeFile(pdf, "old listing");

        const auto result = test::runProgram(ZATSETUP_PATH, {"--print", "io", "--pdf", pdf, demo});
        QCOMPARE(result.exitCode, 2);
        QVERIFY2(result.err.find("Print Error: ' ZAT I/O Listing : demo-plant.zat' not printed. Error encountered "
                                 "during print.\nzatsetup: cannot write ") != std::string::npos,
                 result.err.c_str());
        QCOMPARE(test::readFile(pdf), std::string("old listing"));

        printTo(rig, pdf);
        rig.window->runCommand(cmd::PrintListing);
        QCOMPARE(rig.messages(), std::vector<std::string>{
                                     "' ZAT I/O Listing : Default.zat' not printed. Error encountered during print."});
        QCOMPARE(test::readFile(pdf), std::string("old listing"));
        QCOMPARE(entriesOf(disk.path()), QStringList{QStringLiteral("listing.pdf")});
    }

    // A device is not replaced by a PDF file, nor written into.
    void zatsetupRefusesATargetThatIsNoRegularFile() {
        const std::string demo = std::string(ZAT_SOURCE_DIR) + "/examples/demo-plant.zat";
        const auto result = test::runProgram(ZATSETUP_PATH, {"--print", "if", "--pdf", "/dev/null", demo});
        QCOMPARE(result.exitCode, 2);
        QVERIFY2(result.err.find("zatsetup: cannot write /dev/null: Is a character device, not a regular file\n") !=
                     std::string::npos,
                 result.err.c_str());
    }

    void thePrinterKeepsItsPaperInPortrait() {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageSize(QPageSize(QPageSize::Letter));
        printer.setPageOrientation(QPageLayout::Landscape);
        setUpListingPrinter(printer, Listing::IO, ConfigDatabase{});
        QCOMPARE(printer.pageLayout().pageSize().id(), QPageSize::Letter);
        QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Portrait);
        QCOMPARE(printer.docName(), QStringLiteral(" ZAT I/O Listing : Default.zat"));
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
        printTo(rig, pdf, QPageSize::Letter);
        rig.window->runCommand(cmd::PrintListing);
        QCOMPARE(rig.dialogs.titles.size(), std::size_t{3});
        QCOMPARE(pdfPages(pdf), 1);
        QCOMPARE(mediaBox(pdf), kLetter);
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

    // The window shows for more than one page; Cancel on page 1 stops the job
    // before page 2, and no file is written.
    void aLongListingShowsItsPagesAndCancelStopsIt() {
        struct Case {
            int blocks;
            bool cancel;
            QStringList seen;
            int pages;  // 0: no file
            std::vector<std::string> messages;
        };
        const Case cases[] = {
            {3, false, {}, 1, {}},
            {90, false, {"Now printing", "Now printing Page 1", "Now printing Page 2"}, 2, {}},
            {90,
             true,
             {"Now printing", "Now printing Page 1"},
             0,
             {"'ZAT IF Block Listing : Default.zat' not printed. Printing canceled."}},
        };
        for (const Case& c : cases) {
            test::WindowRig rig;
            rig.start();
            fillIfBlocks(rig.db, c.blocks);
            TIFList list(rig.window->windowContext());
            const std::string pdf = rig.dir.file("if.pdf");
            printTo(rig, pdf);
            QStringList seen;
            QTimer watch;
            watch.setInterval(0);
            connect(&watch, &QTimer::timeout, &watch, [&] {
                for (QWidget* w : QApplication::topLevelWidgets()) {
                    auto* window = qobject_cast<TPrintingWindow*>(w);
                    if (window == nullptr) continue;
                    if (seen.isEmpty() || seen.back() != window->message()) seen << window->message();
                    if (c.cancel && window->message() == QStringLiteral("Now printing Page 1"))
                        window->findChild<QPushButton*>(QStringLiteral("cancelButton"))->click();
                }
            });
            watch.start();
            QTest::mouseClick(list.findChild<QPushButton*>(QStringLiteral("printButton")), Qt::LeftButton);
            watch.stop();
            QCOMPARE(seen, c.seen);
            QCOMPARE(QFile::exists(QString::fromStdString(pdf)), c.pages != 0);
            if (c.pages != 0) QCOMPARE(pdfPages(pdf), c.pages);
            QCOMPARE(entriesOf(rig.dir.path()).filter(QStringLiteral(".if.pdf")), QStringList{});
            QCOMPARE(rig.messages(), c.messages);
        }
    }
};

QTEST_MAIN(ListingPrinterTest)
#include "listing_printer_qtest.moc"
