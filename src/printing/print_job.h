// A listing printed as one job: a listing of more than one page shows the
// "Printing" window while it prints, page by page, and its Cancel stops the
// job before the next page begins. The page count is taken first from a dry
// run on the same page, so the window shows from the first page on.
#pragma once

#include "model/config_database.h"
#include "printing/listing.h"
#include "printing/print_page.h"
#include "userio/progress.h"

#include <string>

namespace zat {

// The "Printing" window: the progress calls give its text, one step a page.
class PrintProgress : public Progress {
public:
    // Lets waiting events through; true once the person asked to cancel.
    virtual bool cancelRequested() = 0;
};

// Nobody to show the job to, and nobody to cancel it.
class SilentPrintProgress final : public PrintProgress {
public:
    void show() override {}
    void setRange(int, int) override {}
    void setMessage(std::string_view) override {}
    void step() override {}
    void destroy() override {}
    bool cancelRequested() override { return false; }
};

inline constexpr const char* kNowPrinting = "Now printing";

// "Now printing Page 2".
std::string nowPrintingPage(int page);

// Draws the whole listing as printListing does, with the progress of a job of
// more than one page. A cancelled job draws nothing more after the page on
// which Cancel was pressed and starts no further page; it ends with
// kPrintingCanceled, and the caller discards what was drawn.
std::string printListingJob(Listing listing, PrintPage& page, const ConfigDatabase& db, PrintProgress& progress);

}  // namespace zat
