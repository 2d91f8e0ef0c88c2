#include "sim/sim_manual.h"

#include "options/man_page.h"
#include "sim/sim_options.h"

namespace zat::sim {

std::string simManual(std::string_view version) {
    using options::roffText;
    return options::manPage({
        .name = "zat-unit-sim",
        .version = version,
        .summary = "a simulated ZAT V2 unit on a pseudo-terminal",
        .sections =
            {
                {"SYNOPSIS", "\\fBzat\\-unit\\-sim\\fR [\\fIOPTIONS\\fR]\n"},
                {"DESCRIPTION", roffText(simDescription() +
                                         "\nThe unit answers as a ZAT V2 does, its inputs follow random signals, its\n"
                                         "controllers and profilers run a simulated plant, and it can be told to\n"
                                         "fail replies, to try how a program copes.\n")},
                {"OPTIONS", options::roffOptions(options::textsOf(simOptionTable()))},
                {"SIGNALS",
                 ".TP\n.B SIGINT\\fR, \\fBSIGTERM\nstop serving, remove the link and exit\n"
                 ".TP\n.B SIGUSR1\nstop answering; the next one makes the unit answer again\n"},
                {"EXIT STATUS",
                 ".TP\n.B 0\nstopped by a signal\n.TP\n.B 1\nthe pseudo-terminal could not be set up\n"
                 ".TP\n.B 2\na wrong command line, or a file that could not be read or written\n"},
                {"EXAMPLES", roffText("A unit at address 3 whose first slot holds no card, reached as /tmp/zat:\n"
                                      "  zat-unit-sim --address 3 --slots 0,1,4,6,7 --link /tmp/zat\n"
                                      "\nThe demonstration kiln, ten times as fast:\n"
                                      "  zat-unit-sim --plant examples/demo-plant.zat --time-scale 10\n")},
                {"SEE ALSO", "\\fBzatctl\\fR(1), \\fBzatsetup\\fR(1)\n"},
            },
    });
}

}  // namespace zat::sim
