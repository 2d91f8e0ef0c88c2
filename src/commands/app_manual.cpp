#include "commands/app_manual.h"

#include "commands/app_options.h"
#include "options/man_page.h"

namespace zat {

std::string appManual(std::string_view version) {
    using options::roffText;
    return options::manPage({
        .name = "zatsetup",
        .version = version,
        .summary = "the ZAT V2 setup utility",
        .sections =
            {
                {"SYNOPSIS",
                 "\\fBzatsetup\\fR [\\fB\\-\\-simulate\\fR] [\\fIDATABASE.zat\\fR]\n.br\n"
                 "\\fBzatsetup \\-\\-print\\fR \\fBio\\fR|\\fBif\\fR \\fB\\-\\-pdf\\fR \\fIOUT.pdf\\fR "
                 "[\\fB\\-\\-paper\\fR \\fBa4\\fR|\\fBletter\\fR] \\fIDATABASE.zat\\fR\n"},
                {"DESCRIPTION", roffText(appDescription() +
                                         "\nIts windows edit the configuration of a ZAT V2 process-control I/O unit,\n"
                                         "send it to the unit and read it back, watch the running unit and calibrate\n"
                                         "its inputs and outputs. The help pages are under Help > Help Contents.\n")},
                {"OPTIONS", options::roffOptions(options::textsOf(appOptionTable()))},
                {"EXIT STATUS",
                 ".TP\n.B 0\nthe window was closed, or the listing was written\n"
                 ".TP\n.B 1\nno display to show the window on\n"
                 ".TP\n.B 2\na wrong command line, or a listing that could not be written\n"},
                {"ENVIRONMENT", roffText(appNotes())},
                {"EXAMPLES", roffText("Try every command against the built-in simulated unit:\n"
                                      "  zatsetup --simulate\n"
                                      "\nWrite the IF block listing of a database as a PDF file, without a window:\n"
                                      "  zatsetup --print if --pdf if-blocks.pdf --paper a4 kiln.zat\n")},
                {"SEE ALSO", "\\fBzatctl\\fR(1), \\fBzat\\-unit\\-sim\\fR(1)\n"},
            },
    });
}

}  // namespace zat
