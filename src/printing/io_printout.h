// The I/O listing: one row per channel number 0..55 with the comments of
// analog input, analog output, digital input and digital output of that
// number side by side, in groups of eight rows, always on one page.
#pragma once

#include "model/config_database.h"
#include "printing/text_printout.h"

#include <string>

namespace zat {

// " ZAT I/O Listing : plant.zat" (the leading blank is the listing's own).
std::string ioListingTitle(const ConfigDatabase& db);

class TIOPrintout final : public TTextPrintout {
public:
    TIOPrintout(PrintPage& page, const ConfigDatabase& db);
    void printPage() override;

protected:
    void printColumnHeadings() override;

private:
    // x of the 20 columns of the grid.
    int column(int k) const;

    const ConfigDatabase& db_;
};

}  // namespace zat
