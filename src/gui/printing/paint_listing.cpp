#include "gui/printing/paint_listing.h"

#include "gui/printing/painter_page.h"

#include <QPainter>
#include <QPrinter>

namespace zat {

std::string paintListing(Listing listing, QPagedPaintDevice& device, const ConfigDatabase& db,
                         PrintProgress& progress) {
    QPainter painter;
    if (!painter.begin(&device)) return kErrorDuringPrint;
    PainterPage page(painter, device);
    std::string failure = printListingJob(listing, page, db, progress);
    if (failure == kPrintingCanceled)
        if (auto* printer = dynamic_cast<QPrinter*>(&device)) printer->abort();
    const bool ended = painter.end();
    if (failure.empty() && (page.failed() || !ended)) failure = kErrorDuringPrint;
    return failure;
}

}  // namespace zat
