#include "printing/listing.h"

#include "printing/if_printout.h"
#include "printing/io_printout.h"

#include <memory>

namespace zat {

std::optional<Listing> parseListing(std::string_view word) {
    if (word == "io") return Listing::IO;
    if (word == "if") return Listing::IF;
    return std::nullopt;
}

std::string listingTitle(Listing listing, const ConfigDatabase& db) {
    return listing == Listing::IO ? ioListingTitle(db) : ifListingTitle(db);
}

std::string printListing(Listing listing, PrintPage& page, const ConfigDatabase& db) {
    std::unique_ptr<TTextPrintout> printout;
    if (listing == Listing::IO)
        printout = std::make_unique<TIOPrintout>(page, db);
    else
        printout = std::make_unique<TIFPrintout>(page, db);
    printout->printPage();
    return printout->pageTooSmall() ? kPageTooSmall : "";
}

std::string notPrintedMessage(const std::string& title, const std::string& reason) {
    return "'" + title + "' not printed. " + reason + ".";
}

}  // namespace zat
