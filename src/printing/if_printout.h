// The IF block listing: every IF block in use, one line each, in the words
// of the IF block list, with a picture for enabled or not.
#pragma once

#include "model/config_database.h"
#include "printing/text_printout.h"

#include <string>

namespace zat {

// "ZAT IF Block Listing : plant.zat".
std::string ifListingTitle(const ConfigDatabase& db);

class TIFPrintout final : public TTextPrintout {
public:
    TIFPrintout(PrintPage& page, const ConfigDatabase& db);
    // The blocks in use from slot 0 up to the first free slot.
    void printPage() override;

protected:
    void printColumnHeadings() override;

private:
    int stop(int k) const;

    const ConfigDatabase& db_;
};

}  // namespace zat
