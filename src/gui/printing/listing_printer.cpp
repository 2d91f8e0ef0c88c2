#include "gui/printing/listing_printer.h"

#include "gui/common/text_conversion.h"
#include "gui/printing/painter_page.h"

#include <QAction>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace zat {

namespace {

constexpr int kPdfResolution = 600;  // dots per inch
constexpr double kMarginMillimetres = 15;
constexpr int kPreviewWidth = 900;
constexpr int kPreviewHeight = 1000;

void setUpPage(QPagedPaintDevice& device) {
    device.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                    QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres),
                    QPageLayout::Millimeter));
}

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

}  // namespace

std::string paintListing(Listing listing, QPagedPaintDevice& device, const ConfigDatabase& db) {
    QPainter painter;
    if (!painter.begin(&device)) return kErrorDuringPrint;
    PainterPage page(painter, device);
    std::string failure = printListing(listing, page, db);
    const bool ended = painter.end();
    if (failure.empty() && (page.failed() || !ended)) failure = kErrorDuringPrint;
    return failure;
}

std::string writeListingPdf(Listing listing, const std::string& path, const ConfigDatabase& db) {
    QPdfWriter writer(toQString(path));
    writer.setResolution(kPdfResolution);
    writer.setTitle(toQString(listingTitle(listing, db)));
    writer.setCreator(QStringLiteral("ZAT Setup"));
    setUpPage(writer);
    return paintListing(listing, writer, db);
}

std::unique_ptr<QPrintPreviewDialog> makeListingPreview(Listing listing, const ConfigDatabase& db, QWidget* parent,
                                                        std::string* failure) {
    std::unique_ptr<QPrintPreviewDialog> preview = std::make_unique<TListingPreview>(parent);
    QPrinter& printer = *preview->printer();
    printer.setDocName(toQString(listingTitle(listing, db)));
    setUpPage(printer);
    // The report breaks its pages itself: the dialog offers no page range.
    printer.setFromTo(1, 1);
    preview->setObjectName(QStringLiteral("printPreview"));
    preview->setWindowTitle(printer.docName());
    preview->resize(kPreviewWidth, kPreviewHeight);
    QObject::connect(preview.get(), &QPrintPreviewDialog::paintRequested, preview.get(),
                     [listing, &db, failure](QPrinter* shown) {
                         const std::string reason = paintListing(listing, *shown, db);
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
        failure = paintListing(listing, printer, db);
    }
    if (!failure.empty())
        (void)gui.prompts.show(notPrintedMessage(listingTitle(listing, db), failure), kPrintErrorCaption,
                               MessageIcon::Stop, MessageButtons::Ok);
}

}  // namespace zat
