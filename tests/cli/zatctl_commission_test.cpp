// zatctl verify, diff and scan, and the commands that serve several units.
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

const std::string kDemo = std::string(ZAT_SOURCE_DIR) + "/examples/demo-plant.zat";

// An unpaced line and a short timeout (long enough for a loaded machine).
std::vector<std::string> on(const sim::PtyUnit& unit, std::vector<std::string> args) {
    args.insert(args.begin(), "-q");
    for (const char* option : {"--baud", "19200", "--timeout-ms", "150", "--retries", "0"}) args.emplace_back(option);
    args.emplace_back("--device");
    args.push_back(unit.devicePath());
    return args;
}

sim::UnitConfig unitAt(int address) {
    sim::UnitConfig config;
    config.address = address;
    return config;
}

// A frame told to the unit's state directly, past the line and its log.
void tell(sim::UnitState& state, const std::vector<std::string>& frames) {
    for (const std::string& frame : frames) ASSERT_TRUE(state.handle(frame).value_or("").starts_with("*")) << frame;
}

// What a compare may send: reads, the probe, and the page, block and profile
// selections, which change nothing the unit keeps.
bool onlyReadsAndSelections(const std::vector<sim::Exchange>& exchanges) {
    for (const sim::Exchange& e : exchanges) {
        const std::string& r = e.request;
        const bool read = r.starts_with("R");
        const bool selection =
            r.starts_with("W") && r.size() > 3 && std::string("?]hN").find(r[3]) != std::string::npos;
        if (!read && !selection) return false;
    }
    return !exchanges.empty();
}

class ZatctlCommission : public ::testing::Test {
protected:
    test::ProgramResult zatctl(const std::vector<std::string>& args) {
        return test::runProgram(ZATCTL_PATH, args, dir.path());
    }
    std::string demoCopy() {
        const std::string path = dir.file("kiln.zat");
        writeFile(path, readFile(kDemo));
        return path;
    }
    test::TempDir dir;
};

TEST_F(ZatctlCommission, VerifyFindsAnExportedPlantEqualAndThreePlantedDifferencesWithoutWriting) {
    const std::string kiln = demoCopy();
    sim::PtyUnit unit(unitAt(1), {});
    unit.start();
    // A channel, a controller, a profile: one group of each kind.
    const std::string groups = "ai,pid,profiles";
    ASSERT_EQ(zatctl(on(unit, {"export", kiln, "--groups", groups})).exitCode, 0);
    (void)unit.takeExchanges();

    auto result = zatctl(on(unit, {"verify", kiln, "--groups", groups}));
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "0 fields differ\n");

    unit.withState([](sim::UnitState& s) {
        tell(s, {"W01]0000", "W01~0301F4", "W01]0001", "W01K010121", "W01]0000", "W01N0001", "W01P05-0040"});
    });
    ConfigDatabase file;
    file.clear();
    test::RecordingUserIo user;
    (void)loadDatabase(file, kiln, user.io());
    (void)unit.takeExchanges();
    result = zatctl(on(unit, {"verify", kiln, "--groups", groups, "--csv"}));
    EXPECT_EQ(result.exitCode, 3) << result.err;
    EXPECT_EQ(result.out,
              "section,key,file,unit\n"
              "Analog Input 3,Hi Scalar," +
                  std::to_string(file.analogInputs[3].hiScalar) +
                  ",500\n"
                  "Controller 1,INT TIME," +
                  std::to_string(file.controllers[1].intTime) +
                  ",121\n"
                  "Profile 1,Seg05 Level," +
                  std::to_string(file.profiles[1].segLevel[5]) + ",-40\n");
    EXPECT_TRUE(onlyReadsAndSelections(unit.takeExchanges()));
    unit.withState([](sim::UnitState& s) { EXPECT_EQ(s.initialiseCount(), 1); });  // the export's only
    EXPECT_EQ(readFile(kiln), readFile(kDemo));

    result = zatctl(on(unit, {"verify", kiln, "--groups", "pid"}));
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_EQ(result.out, "[Controller 1] INT TIME: file " + std::to_string(file.controllers[1].intTime) +
                              ", unit 121\n1 field differs\n");
}

TEST_F(ZatctlCommission, VerifyOfASilentUnitFails) {
    const std::string kiln = demoCopy();
    sim::PtyUnit unit(unitAt(2), {});
    unit.start();
    const auto result = zatctl(on(unit, {"verify", kiln, "--address", "1"}));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("reading the unit given up"), std::string::npos) << result.err;
}

TEST_F(ZatctlCommission, DiffListsTheFieldsThatDifferAndLeavesUnknownKeysAlone) {
    const std::string a = demoCopy();
    const std::string b = dir.file("b.zat");
    writeFile(b, readFile(a));
    EXPECT_EQ(zatctl({"diff", a, b}).exitCode, 0);

    // A key this program does not hold is not compared.
    std::string text = readFile(a);
    text.insert(text.find("[Controller 1]\r\n") + 16, "Commissioned=2026-12-08\r\n");
    writeFile(b, text);
    auto result = zatctl({"diff", a, b});
    EXPECT_EQ(result.exitCode, 0) << result.out;

    ConfigDatabase db;
    db.clear();
    test::RecordingUserIo user;
    (void)loadDatabase(db, a, user.io());
    db.controllers[1].intTime = 121;
    db.controllers[1].comment = Comment("Zone 2, top");
    ASSERT_EQ(saveDatabase(db, b, user.io()), Outcome::Ok);
    result = zatctl({"diff", a, b, "--csv"});
    EXPECT_EQ(result.exitCode, 3);
    const ConfigDatabase before = [&] {
        ConfigDatabase d;
        d.clear();
        (void)loadDatabase(d, a, user.io());
        return d;
    }();
    EXPECT_EQ(result.out, "section,key,a,b\nController 1,Comment," + commentText(before.controllers[1].comment) +
                              ",\"Zone 2, top\"\nController 1,INT TIME," +
                              std::to_string(before.controllers[1].intTime) + ",121\n");
    EXPECT_EQ(zatctl({"diff", a, b, "--groups", "ai"}).exitCode, 0);
    EXPECT_EQ(zatctl({"diff", a, b, "--device", "/dev/null"}).exitCode, 2);
}

TEST_F(ZatctlCommission, ScanFindsExactlyTheUnitsOnTheBus) {
    sim::PtyUnit bus(unitAt(3), {});
    sim::UnitConfig second = unitAt(42);
    second.slotCodes = {1, 0, 5, 6, 7};
    bus.addUnit(second);
    bus.start();
    // A generous timeout: the default one is for a line, not a loaded test machine.
    const auto result = zatctl({"-q", "scan", "--csv", "--timeout-ms", "150", "--device", bus.devicePath()});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "address,baud,slot1,slot2,slot3,slot4,slot5\n3,9600,3,1,4,6,7\n42,9600,1,0,5,6,7\n");
}

TEST_F(ZatctlCommission, ScanOfASilentLineFindsNothing) {
    sim::PtyUnit unit(unitAt(1), {});
    unit.setSilent(true);
    unit.start();
    const auto result = zatctl({"-q", "scan", "--device", unit.devicePath()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(unit.takeExchanges().size(), 100u);  // one probe per address, no retries
}

TEST_F(ZatctlCommission, ExportToSeveralUnitsGoesOnPastOneThatFails) {
    const std::string kiln = demoCopy();
    sim::PtyUnit bus(unitAt(1), {});
    bus.addUnit(unitAt(5));
    bus.start();
    const auto result = zatctl(on(bus, {"export", kiln, "--groups", "pid", "--address", "1,3,5", "--csv"}));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "address,result\n1,exported\n3,failed\n5,exported\n");
    for (int address : {1, 5})
        EXPECT_TRUE(bus.withUnitAt(address, [](sim::UnitState& s) { EXPECT_EQ(s.initialiseCount(), 1); }));
}

TEST_F(ZatctlCommission, ABadAddressListIsRefusedBeforeAnythingIsSent) {
    const std::string kiln = demoCopy();
    sim::PtyUnit unit(unitAt(1), {});
    unit.start();
    for (const char* list : {"1,3,3", "1,100", "4-2"}) {
        const auto result = zatctl(on(unit, {"export", kiln, "--address", list}));
        EXPECT_EQ(result.exitCode, 2) << list;
        EXPECT_NE(result.err.find(std::string("bad value '") + list + "' for --address: "), std::string::npos)
            << result.err;
    }
    const auto listForOneUnit = zatctl(on(unit, {"import", kiln, "--address", "1,2"}));
    EXPECT_EQ(listForOneUnit.exitCode, 2);
    EXPECT_TRUE(unit.takeExchanges().empty());
}

}  // namespace
}  // namespace zat
