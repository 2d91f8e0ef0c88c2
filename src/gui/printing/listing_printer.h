// The listings on paper and in PDF files: drawn on any paged device, written
// to a PDF without a window, and the print command (preview, print dialog,
// print) shared by the main window and the IF block list.
#pragma once

#include "gui/common/gui_context.h"
#include "model/config_database.h"
#include "printing/listing.h"

#include <memory>
#include <string>

class QPagedPaintDevice;
class QPrintPreviewDialog;
class QWidget;

namespace zat {

// Draws the listing; the reason it was not printed, or empty.
std::string paintListing(Listing listing, QPagedPaintDevice& device, const ConfigDatabase& db);

// Writes the listing to a PDF file, A4 portrait; the reason it was not
// written, or empty.
std::string writeListingPdf(Listing listing, const std::string& path, const ConfigDatabase& db);

// The print preview of the listing on its own printer, A4 portrait. Each
// drawing of it leaves its failure in `failure` when one is given.
std::unique_ptr<QPrintPreviewDialog> makeListingPreview(Listing listing, const ConfigDatabase& db, QWidget* parent,
                                                        std::string* failure = nullptr);

// Shows the listing in the print preview; its Print button asks for the
// printer and prints. A failure is shown as "Print Error", never as success.
void printListingWithPreview(Listing listing, const ConfigDatabase& db, const GuiContext& gui, QWidget* parent);

}  // namespace zat
