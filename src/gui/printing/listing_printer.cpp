#include "gui/printing/listing_printer.h"

#include "gui/common/text_conversion.h"
#include "gui/printing/listing_pdf.h"
#include "gui/printing/paint_listing.h"
#include "gui/printing/printing_window.h"

#include <QAction>
#include <QFile>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace zat {

namespace {

constexpr int kPreviewWidth = 900;
constexpr int kPreviewHeight = 1000;

// The preview's own Print would ask for the printer inside it, out of the
// program's reach; it ends the preview instead, and the program asks.
bool printEndsPreview(QPrintPreviewDialog& preview) {
    for (QAction* action : preview.findChildren<QAction*>()) {
        if (action->text() != QPrintPreviewDialog::tr("Print") && action->objectName() != QLatin1String("print"))
            continue;
        QObject::disconnect(action, SIGNAL(triggered(bool)), &preview, nullptr);
        QObject::connect(action, &QAction::triggered, &preview, &QDialog::accept);
        action->setObjectName(QStringLiteral("print"));
        return true;
    }
    return false;
}

// The printer is made before the preview that draws on it, and outlives it.
struct PrinterHolder {
    QPrinter heldPrinter{QPrinter::HighResolution};
};

class TListingPreview final : private PrinterHolder, public QPrintPreviewDialog {
public:
    explicit TListingPreview(QWidget* parent) : QPrintPreviewDialog(&heldPrinter, parent) {}
};

// A PDF file chosen in the print dialog is written as every PDF of ours is;
// the printer's own PDF output would end a full disk's file short without a
// word.
std::string printOn(QPrinter& printer, Listing listing, const ConfigDatabase& db, PrintProgress& progress) {
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        return writeListingPdf(listing, QFile::encodeName(printer.outputFileName()).toStdString(), db,
                               PdfPage{.layout = printer.pageLayout(), .resolution = printer.resolution()}, progress);
    return paintListing(listing, printer, db, progress);
}

}  // namespace

void setUpListingPrinter(QPrinter& printer, Listing listing, const ConfigDatabase& db) {
    printer.setDocName(toQString(listingTitle(listing, db)));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageMargins(listingMargins(), QPageLayout::Millimeter);
    // The report breaks its pages itself: the dialog offers no page range.
    printer.setFromTo(1, 1);
}

std::unique_ptr<QPrintPreviewDialog> makeListingPreview(Listing listing, const ConfigDatabase& db, QWidget* parent,
                                                        std::string* failure) {
    std::unique_ptr<QPrintPreviewDialog> preview = std::make_unique<TListingPreview>(parent);
    QPrinter& printer = *preview->printer();
    setUpListingPrinter(printer, listing, db);
    preview->setObjectName(QStringLiteral("printPreview"));
    preview->setWindowTitle(printer.docName());
    preview->resize(kPreviewWidth, kPreviewHeight);
    QObject::connect(preview.get(), &QPrintPreviewDialog::paintRequested, preview.get(),
                     [listing, &db, failure](QPrinter* shown) {
                         SilentPrintProgress quiet;  // the preview draws; it prints nothing
                         const std::string reason = paintListing(listing, *shown, db, quiet);
                         if (failure != nullptr) *failure = reason;
                     });
    return preview;
}

void printListingWithPreview(Listing listing, const ConfigDatabase& db, const GuiContext& gui, QWidget* parent) {
    std::string failure;
    const std::unique_ptr<QPrintPreviewDialog> preview = makeListingPreview(listing, db, parent, &failure);
    const bool weAsk = printEndsPreview(*preview);
    if (gui.dialogs.run(*preview) != QDialog::Accepted) return;
    // Where the preview printed by itself, its last drawing was the print.
    if (weAsk) {
        QPrinter& printer = *preview->printer();
        QPrintDialog dialog(&printer, parent);
        dialog.setMinMax(1, 1);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        if (gui.dialogs.run(dialog) != QDialog::Accepted) return;
        PrintingWindowProgress progress(parent);
        failure = printOn(printer, listing, db, progress);
    }
    if (!failure.empty())
        (void)gui.prompts.show(notPrintedMessage(listingTitle(listing, db), failure), kPrintErrorCaption,
                               MessageIcon::Stop, MessageButtons::Ok);
}

}  // namespace zat
