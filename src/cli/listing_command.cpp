#include "cli/listing_command.h"

#include "editing/if_blocks.h"
#include "model/file_io.h"
#include "printing/listing.h"
#include "printing/recorded_page.h"

#include <cstdio>
#include <optional>

namespace zat::cli {

namespace {

constexpr const char* kSynopsis = "listing io|if DB.zat [-o FILE.txt]";

int usage(Context& context, const std::string& problem) {
    if (!problem.empty()) std::fprintf(context.err, "zatctl: %s\n", problem.c_str());
    std::fprintf(context.err, "usage: zatctl %s\n", kSynopsis);
    return kExitUsage;
}

const options::OptionTable<ListingArgs> kListingOptions = {
    {.name = "-o",
     .value = "FILE.txt",
     .help = "write to FILE.txt instead of standard output",
     .take = [](ListingArgs& parsed, const std::string& text) -> std::optional<std::string> {
         parsed.output = text;
         return std::nullopt;
     },
     .completion = options::filesLike(".txt"),
     .missing = "-o needs a file name"},
};

}  // namespace

const options::OptionTable<ListingArgs>& listingOptionTable() { return kListingOptions; }

int runListing(Context& context, const std::vector<std::string>& args) {
    std::vector<std::string> words;
    ListingArgs parsed;
    const std::optional<std::string>& output = parsed.output;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const options::Taken taken = options::takeOption(kListingOptions, args, i, parsed);
        if (taken.status == options::Taken::Status::MissingValue) return usage(context, taken.problem);
        if (taken.status == options::Taken::Status::Taken) continue;
        if (args[i].size() > 1 && args[i][0] == '-') {
            return usage(context, "listing takes no option '" + args[i] + "'");
        } else {
            words.push_back(args[i]);
        }
    }
    if (words.size() != 2) return usage(context, "");
    const std::optional<Listing> listing = parseListing(words[0]);
    if (!listing) return usage(context, "no listing '" + words[0] + "' (io or if)");

    ConfigDatabase db;
    if (!loadExisting(context, db, words[1])) return kExitUsage;
    db.setCurrentFile(words[1]);  // the title names the file
    // The IF block list closes the gaps before it shows or prints a line.
    compactIfBlocks(db);
    RecordedPage page;
    const std::string failure = printListing(*listing, page, db);
    if (!failure.empty()) {
        std::fprintf(context.err, "%s: %s\n", kPrintErrorCaption,
                     notPrintedMessage(listingTitle(*listing, db), failure).c_str());
        return kExitUsage;
    }
    const std::string text = listingText(page);
    if (!output) {
        std::fputs(text.c_str(), context.out);
        return kExitOk;
    }
    const FileResult written = writeFileAtomically(*output, text);
    if (!written.ok) {
        std::fprintf(context.err, "zatctl: cannot write %s: %s\n", output->c_str(), written.reason.c_str());
        return kExitUsage;
    }
    return kExitOk;
}

}  // namespace zat::cli
