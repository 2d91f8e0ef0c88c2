#include "cli/register_commands.h"

#include "cli/command_args.h"
#include "cli/unit_session.h"
#include "commands/transfer_commands.h"
#include "comms/register_file.h"

#include <cstdio>

namespace zat::cli {

namespace {

// The register file is updated in place: a mistyped database name would
// otherwise gain register sections.
constexpr const char* kRegisterExtension = ".reg";

}  // namespace

// The core's false means the unit failed once the file has passed these
// checks, so the file's problems are found here first.
int runSaveRegisters(Context& context, const std::vector<std::string>& args) {
    CommandArgs parsed;
    if (const auto status = takeCommandArgs(context, args, 0, "save-registers FILE.reg [UNIT OPTIONS]", parsed))
        return *status;
    const std::string& path = parsed.files[0];
    if (!checkExtension(context, path, kRegisterExtension)) return kExitUsage;
    if (!checkWritable(context, path)) return kExitUsage;

    UnitSession session(context);
    if (const auto status = session.open(parsed.unit)) return *status;
    if (saveRegistersCommand(session.protocol, path, context.io) == TransferOutcome::GaveUp) {
        std::fprintf(context.err, "zatctl: register save given up; nothing was saved to %s\n", path.c_str());
        return kExitUnitFailure;
    }
    return kExitOk;
}

int runLoadRegisters(Context& context, const std::vector<std::string>& args) {
    CommandArgs parsed;
    if (const auto status = takeCommandArgs(context, args, 0, "load-registers FILE.reg [UNIT OPTIONS]", parsed))
        return *status;
    const std::string& path = parsed.files[0];
    if (!checkExtension(context, path, kRegisterExtension)) return kExitUsage;
    if (!checkReadable(context, path)) return kExitUsage;
    const RegisterFileRead file = readRegisterFile(path);
    if (!file.ok()) {
        std::fprintf(context.err, "zatctl: %s\n", file.error.c_str());
        return kExitUsage;
    }

    UnitSession session(context);
    if (const auto status = session.open(parsed.unit)) return *status;
    return succeeded(loadRegisters(session.protocol, file.values, context.io)) ? kExitOk : kExitUnitFailure;
}

}  // namespace zat::cli
