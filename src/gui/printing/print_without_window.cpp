#include "gui/printing/print_without_window.h"

#include "editing/if_blocks.h"
#include "gui/printing/listing_pdf.h"
#include "model/database_file.h"

namespace zat {

namespace {

constexpr int kExitFailed = 2;

// Loading shows no message box; should anything ask, it is said on `err`.
class ErrorStreamPrompts final : public Prompts {
public:
    explicit ErrorStreamPrompts(std::FILE* err) : err_(err) {}
    Answer show(std::string_view text, std::string_view caption, MessageIcon, MessageButtons) override {
        std::fprintf(err_, "%.*s: %.*s\n", static_cast<int>(caption.size()), caption.data(),
                     static_cast<int>(text.size()), text.data());
        return Answer::Cancel;
    }

private:
    std::FILE* err_;
};

}  // namespace

int printWithoutWindow(const AppOptions& options, std::FILE* err) {
    ErrorStreamPrompts prompts(err);
    SilentBeep beep;
    SilentStatusText status;
    SilentProgress progress;
    NoFileDialogs files;
    NoWaitCursor cursor;
    ConfigDatabase db;
    db.clear();
    const DatabaseLoad load =
        loadDatabase(db, *options.database, UserIo{prompts, beep, status, progress, files, cursor});
    if (!load.fileRead) {
        // Defaults printed from a file that is not there would look like a listing.
        std::fprintf(err, "zatsetup: cannot read %s: %s\n", options.database->c_str(), load.reason.c_str());
        return kExitFailed;
    }
    db.setCurrentFile(*options.database);
    // The IF block list closes the gaps before it shows or prints a line.
    compactIfBlocks(db);
    SilentPrintProgress quiet;
    std::string fileError;
    const std::string failure = writeListingPdf(*options.print, *options.pdf, db,
                                                pdfPageOf(options.paper.value_or(localePaper())), quiet, &fileError);
    if (failure.empty()) return 0;
    std::fprintf(err, "%s: %s\n", kPrintErrorCaption,
                 notPrintedMessage(listingTitle(*options.print, db), failure).c_str());
    if (!fileError.empty())
        std::fprintf(err, "zatsetup: cannot write %s: %s\n", options.pdf->c_str(), fileError.c_str());
    return kExitFailed;
}

}  // namespace zat
