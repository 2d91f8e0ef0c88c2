#include "gui/printing/listing_pdf.h"

#include "gui/common/text_conversion.h"
#include "gui/printing/paint_listing.h"
#include "model/file_io.h"

#include <QBuffer>
#include <QPdfWriter>

namespace zat {

namespace {

constexpr int kPdfResolution = 600;  // dots per inch
constexpr double kMarginMillimetres = 15;

}  // namespace

QMarginsF listingMargins() {
    return QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres);
}

PdfPage pdfPageOf(Paper paper) {
    const QPageSize size(paper == Paper::Letter ? QPageSize::Letter : QPageSize::A4);
    return PdfPage{.layout = QPageLayout(size, QPageLayout::Portrait, listingMargins(), QPageLayout::Millimeter),
                   .resolution = kPdfResolution};
}

Paper localePaper(const QLocale& locale) {
    // ImperialSystem is the US one; the UK's paper is A4.
    return paperForMeasurement(locale.measurementSystem() == QLocale::ImperialUSSystem);
}

std::string writeListingPdf(Listing listing, const std::string& path, const ConfigDatabase& db, const PdfPage& page,
                            PrintProgress& progress, std::string* fileError) {
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setResolution(page.resolution);
        writer.setTitle(toQString(listingTitle(listing, db)));
        writer.setCreator(QStringLiteral("ZAT Setup"));
        writer.setPageLayout(page.layout);
        const std::string failure = paintListing(listing, writer, db, progress);
        if (!failure.empty()) return failure;
    }
    const FileResult written = writeFileAtomically(path, pdf.data().toStdString());
    if (written.ok) return {};
    if (fileError != nullptr) *fileError = written.reason;
    return kErrorDuringPrint;
}

}  // namespace zat
