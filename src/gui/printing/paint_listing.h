// A listing drawn on any paged device (printer, preview, PDF writer) as one
// print job.
#pragma once

#include "model/config_database.h"
#include "printing/print_job.h"

#include <string>

class QPagedPaintDevice;

namespace zat {

// Draws the listing; the reason it was not printed, or empty. A cancelled job
// is aborted on a printer whose system allows it; Qt's CUPS printing cannot
// abort, so there the pages drawn before the Cancel are still sent.
std::string paintListing(Listing listing, QPagedPaintDevice& device, const ConfigDatabase& db, PrintProgress& progress);

}  // namespace zat
