// The listings in PDF files. The PDF is drawn in memory and written to its
// file whole, as the database is saved: to a temporary file beside it that
// replaces the file only once every byte is on the disk, so a full disk or a
// cancelled job leaves the old file (or none) and no debris, and a target
// that is no regular file (a device, a FIFO) is refused untouched.
#pragma once

#include "model/config_database.h"
#include "printing/paper.h"
#include "printing/print_job.h"

#include <QLocale>
#include <QPageLayout>

#include <string>

namespace zat {

struct PdfPage {
    QPageLayout layout;
    int resolution = 0;  // dots per inch
};

// The paper portrait, with the margins the listings are printed with, at 600 dots per inch.
PdfPage pdfPageOf(Paper paper);

// The page margins of a listing on paper, in millimetres.
QMarginsF listingMargins();

// Letter where the locale measures in inches (the US), A4 elsewhere.
Paper localePaper(const QLocale& locale = QLocale());

// Writes the listing to `path`; the reason it was not printed, or empty.
// When the file could not be written, `fileError` (if given) gets the
// system's reason.
std::string writeListingPdf(Listing listing, const std::string& path, const ConfigDatabase& db, const PdfPage& page,
                            PrintProgress& progress, std::string* fileError = nullptr);

}  // namespace zat
