// The command line of zatsetup.
#pragma once

#include "options/option_table.h"
#include "printing/listing.h"
#include "printing/paper.h"

#include <optional>
#include <string>
#include <vector>

namespace zat {

struct AppOptions {
    std::optional<std::string> database;  // the database to load at start
    bool simulate = false;                // talk to the simulated unit inside the program
    bool exitWhenShown = false;           // quit once started (for timing the start-up)
    bool help = false;
    bool version = false;
    std::optional<Listing> print;  // write this listing to `pdf` instead of showing the window
    std::optional<std::string> pdf;
    std::optional<Paper> paper;  // the PDF's paper; the locale's when not given
};

// The options, one row each.
const options::OptionTable<AppOptions>& appOptionTable();

// The options, or a one-line reason why the command line is wrong.
struct AppOptionsResult {
    AppOptions options;
    std::string error;
};

AppOptionsResult parseAppOptions(const std::vector<std::string>& args);

// The --help text, and the parts of it the manual page shares.
std::string appUsage();
std::string appDescription();
std::string appNotes();

// Whether there is a display to show windows on; when not, the line to say so.
std::optional<std::string> noDisplayMessage(const char* platform, const char* display, const char* wayland);

}  // namespace zat
