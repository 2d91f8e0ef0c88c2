// zatctl export --since: only the fields changed since OLD.zat go to the
// unit, and only when the unit still holds OLD.zat's values there.
#include "model/database_file.h"
#include "sim/pty_unit.h"
#include "support/recording_user_io.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace zat {
namespace {

using test::readFile;
using test::writeFile;
using Requests = std::vector<std::string>;

const std::string kDemo = std::string(ZAT_SOURCE_DIR) + "/examples/demo-plant.zat";

class ZatctlChanges : public ::testing::Test {
protected:
    void SetUp() override {
        unit.start();
        writeFile(kiln, readFile(kDemo));
        writeFile(sent, readFile(kDemo));
        ASSERT_EQ(zatctl({"export", kiln}).exitCode, 0);
        (void)requests();
    }
    test::ProgramResult zatctl(std::vector<std::string> args) {
        args.insert(args.begin(), "-q");
        // A timeout long enough for a loaded machine: no test here waits on silence.
        for (const char* option : {"--baud", "19200", "--timeout-ms", "500", "--retries", "0", "--address", "1"})
            args.emplace_back(option);
        args.emplace_back("--device");
        args.push_back(unit.devicePath());
        return test::runProgram(ZATCTL_PATH, args, dir.path());
    }
    // Changes controller 1's integral time in the file at `path`.
    void retune(const std::string& path, int intTime) {
        ConfigDatabase db;
        db.clear();
        test::RecordingUserIo user;
        ASSERT_EQ(loadDatabase(db, path, user.io()).fileRead, true);
        db.controllers[1].intTime = static_cast<std::uint16_t>(intTime);
        ASSERT_EQ(saveDatabase(db, path, user.io()), Outcome::Ok);
    }
    Requests requests() {
        Requests sentRequests;
        for (const sim::Exchange& e : unit.takeExchanges()) sentRequests.push_back(e.request);
        return sentRequests;
    }
    int initialised() {
        int count = 0;
        unit.withState([&](sim::UnitState& s) { count = s.initialiseCount(); });
        return count;
    }

    test::TempDir dir;
    sim::PtyUnit unit{sim::UnitConfig{}, {}};
    const std::string kiln = dir.file("kiln.zat");
    const std::string sent = dir.file("sent.zat");
};

TEST_F(ZatctlChanges, OneChangedTermIsCheckedThenWrittenAlone) {
    retune(kiln, 121);
    const auto result = zatctl({"export", kiln, "--since", sent});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "1 field exported\n");
    EXPECT_EQ(requests(), (Requests{"W01?0042", "W01]0000", "W01]0001", "R01K01", "W01?0042", "W01]0000", "W01]0001",
                                    "W01K010121", "S01I"}));
    EXPECT_EQ(initialised(), 2);
    unit.withState([](sim::UnitState& s) { EXPECT_EQ(s.item(1, 'K', 1), 121); });
}

TEST_F(ZatctlChanges, WithoutDifferencesOnlyTheProbeIsSent) {
    const auto result = zatctl({"export", kiln, "--since", sent});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "nothing to export\n");
    EXPECT_EQ(requests(), (Requests{"W01?0042"}));
}

TEST_F(ZatctlChanges, AWrongOldFileIsCaughtBeforeAnythingIsWritten) {
    retune(sent, 99);  // the unit never held this
    retune(kiln, 121);
    const auto result = zatctl({"export", kiln, "--since", sent});
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_NE(result.err.find("The unit no longer holds what was last sent: use Export or Compare with Unit."),
              std::string::npos)
        << result.err;
    EXPECT_EQ(requests(), (Requests{"W01?0042", "W01]0000", "W01]0001", "R01K01"}));
    EXPECT_EQ(initialised(), 1);
    EXPECT_EQ(zatctl({"export", kiln, "--since", sent, "--groups", "pid"}).exitCode, 2);
}

}  // namespace
}  // namespace zat
