// The print command (preview, print dialog, print) shared by the main window
// and the IF block list.
#pragma once

#include "gui/common/gui_context.h"
#include "model/config_database.h"
#include "printing/listing.h"

#include <memory>
#include <string>

class QPrinter;
class QPrintPreviewDialog;
class QWidget;

namespace zat {

// The printer keeps its own paper; the listing asks for portrait, its margins,
// its title as the document's name and no page range.
void setUpListingPrinter(QPrinter& printer, Listing listing, const ConfigDatabase& db);

// The print preview of the listing on its own printer, set up as above. Each
// drawing of it leaves its failure in `failure` when one is given.
std::unique_ptr<QPrintPreviewDialog> makeListingPreview(Listing listing, const ConfigDatabase& db, QWidget* parent,
                                                        std::string* failure = nullptr);

// Shows the listing in the print preview; its Print button asks for the
// printer and prints, showing the "Printing" window for more than one page.
// A failure or a cancelled job is shown as "Print Error", never as success.
void printListingWithPreview(Listing listing, const ConfigDatabase& db, const GuiContext& gui, QWidget* parent);

}  // namespace zat
