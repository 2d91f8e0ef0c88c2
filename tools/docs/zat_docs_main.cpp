// zat-docs: writes the manual pages and the bash completion from the
// programs' option tables, so they say what the programs' --help says.
// usage: zat-docs VERSION OUTPUT-DIR
#include "cli/zatctl_manual.h"
#include "commands/app_manual.h"
#include "model/file_io.h"
#include "sim/sim_manual.h"

#include <cstdio>
#include <string>
#include <utility>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: zat-docs VERSION OUTPUT-DIR\n", stderr);
        return 2;
    }
    const std::string version = argv[1];
    const std::string folder = argv[2];
    const std::pair<std::string, std::string> files[] = {
        {"zatctl.1", zat::cli::zatctlManual(version)},
        {"zatsetup.1", zat::appManual(version)},
        {"zat-unit-sim.1", zat::sim::simManual(version)},
        {"zatctl.bash", zat::cli::zatctlCompletion()},
    };
    for (const auto& [name, text] : files) {
        const zat::FileResult written = zat::writeFileAtomically(folder + "/" + name, text);
        if (!written.ok) {
            std::fprintf(stderr, "zat-docs: cannot write %s/%s: %s\n", folder.c_str(), name.c_str(),
                         written.reason.c_str());
            return 2;
        }
    }
    return 0;
}
