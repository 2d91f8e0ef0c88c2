// The two printed listings by name, and what is said when one cannot be
// printed. The GUI, zatsetup --print and zatctl listing all print through here.
#pragma once

#include "model/config_database.h"
#include "printing/print_page.h"

#include <optional>
#include <string>
#include <string_view>

namespace zat {

enum class Listing { IO, IF };

// "io" or "if".
std::optional<Listing> parseListing(std::string_view word);
std::string listingTitle(Listing listing, const ConfigDatabase& db);

inline constexpr const char* kPrintErrorCaption = "Print Error";
inline constexpr const char* kErrorDuringPrint = "Error encountered during print";
inline constexpr const char* kPageTooSmall = "The page is too small for the header";
inline constexpr const char* kPrintingCanceled = "Printing canceled";

// Draws the whole listing; the reason it was not printed, or empty.
std::string printListing(Listing listing, PrintPage& page, const ConfigDatabase& db);

// "'title' not printed. reason."
std::string notPrintedMessage(const std::string& title, const std::string& reason);

}  // namespace zat
