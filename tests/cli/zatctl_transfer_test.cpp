#include "model/database_file.h"
#include "sim/pty_unit.h"
#include "support/recording_user_io.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace zat {
namespace {

using test::readFile;
using test::writeFile;

constexpr char kSetupQuestion[] = "Transfer Failure: An error has ocurred during setup Transfer.\n";
constexpr char kCalibrationQuestion[] = "Transfer Failure: An error has ocurred during calibration data transfer.\n";

// The unit's line at its fastest rate, so that a transfer of a few groups
// takes well under a second.
std::vector<std::string> on(const sim::PtyUnit& unit, std::vector<std::string> args) {
    args.insert(args.begin(), "-q");
    for (const std::string& option :
         {std::string("--device"), unit.devicePath(), std::string("--baud"), std::string("19200")})
        args.push_back(option);
    return args;
}

// Address 1 asked, address 2 listening: nobody answers, and quickly.
std::vector<std::string> onSilent(const sim::PtyUnit& unit, std::vector<std::string> args) {
    args = on(unit, std::move(args));
    for (const char* option : {"--timeout-ms", "20", "--retries", "0"}) args.emplace_back(option);
    return args;
}

sim::UnitConfig unitAt(int address) {
    sim::UnitConfig config;
    config.address = address;
    return config;
}

std::size_t count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++n;
    return n;
}

// The item letters of the requests, in order (frames are "W01a..." / "R01a...").
std::string letters(const std::vector<sim::Exchange>& exchanges) {
    std::string out;
    for (const sim::Exchange& e : exchanges) out += e.request.size() > 3 ? e.request[3] : '-';
    return out;
}

class ZatctlTransfer : public ::testing::Test {
protected:
    test::ProgramResult zatctl(const std::vector<std::string>& args) {
        return test::runProgram(ZATCTL_PATH, args, dir.path());  // no Default.zat there
    }

    void save(ConfigDatabase& db, const std::string& name) {
        test::RecordingUserIo user;
        ASSERT_EQ(saveDatabase(db, dir.file(name), user.io()), Outcome::Ok);
    }

    ConfigDatabase load(const std::string& name) {
        ConfigDatabase db;
        db.clear();
        test::RecordingUserIo user;
        EXPECT_TRUE(loadDatabase(db, dir.file(name), user.io()).fileRead) << name;
        return db;
    }

    test::TempDir dir;
};

TEST_F(ZatctlTransfer, ExportSendsOnlyTheChosenGroupsAndTellsTheUnitToTakeThemUp) {
    ConfigDatabase db;
    db.clear();
    db.hotColdBlocks[0].flags = kEnabledFlag;
    db.hotColdBlocks[0].hottest = 0x0088;
    db.hotColdBlocks[0].list[0] = 0x000F;
    db.analogInputs[0].type = 0x0205;  // not chosen: must stay off the line
    save(db, "kiln.zat");

    sim::PtyUnit unit(unitAt(1), {});
    unit.start();
    const auto result = zatctl(on(unit, {"export", "kiln.zat", "--groups", "hc"}));
    EXPECT_EQ(result.exitCode, 0) << result.err;
    const std::string sent = letters(unit.takeExchanges());
    EXPECT_EQ(sent.find_first_not_of("?]hijklmnI"), std::string::npos) << sent;
    EXPECT_EQ(count(sent, "h"), 4u) << sent;
    unit.withState([](sim::UnitState& state) {
        state.setItem(0, 'h', 0, 0);  // block 0's words are the ones read
        EXPECT_EQ(state.item(0, 'i', 0), kEnabledFlag);
        EXPECT_EQ(state.item(0, 'j', 0), 0x0088);
        EXPECT_EQ(state.item(0, 'n', 0), 0x000F);
        EXPECT_EQ(state.item(0, 'a', 0), 0);
        EXPECT_EQ(state.initialiseCount(), 1);
    });
}

TEST_F(ZatctlTransfer, ExportOfAMissingFileIsAFileErrorAndSendsNothing) {
    sim::PtyUnit unit(unitAt(1), {});
    unit.start();
    const auto result = zatctl(on(unit, {"export", "absent.zat"}));
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("cannot read absent.zat: No such file or directory"), std::string::npos) << result.err;
    EXPECT_TRUE(unit.takeExchanges().empty());
}

TEST_F(ZatctlTransfer, ImportFillsTheChosenGroupAndKeepsTheRestOfTheFile) {
    ConfigDatabase db;
    db.clear();
    db.controllers[0].flags = kEnabledFlag;
    db.controllers[0].comment = Comment("Zone 1");
    db.analogInputs[3].type = kTypeNotScanned;
    save(db, "kiln.zat");
    writeFile(dir.file("kiln.zat"), readFile(dir.file("kiln.zat")) + "[Site]\r\nName=Kiln 2\r\n");

    sim::PtyUnit unit(unitAt(1), {});
    unit.withState([](sim::UnitState& state) {
        state.setItem(0, 'a', 3, 0x0205);
        state.setItem(0, '~', 3, 500);
        state.setItem(1, 'a', 0, 0);  // the unit's controller: not read, so not taken
    });
    unit.start();
    const auto result = zatctl(on(unit, {"import", "kiln.zat", "--groups", "ai"}));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const ConfigDatabase imported = load("kiln.zat");
    EXPECT_EQ(imported.analogInputs[3].type, 0x0205);
    EXPECT_EQ(imported.analogInputs[3].hiScalar, 500);
    EXPECT_EQ(imported.controllers[0].flags, kEnabledFlag);
    EXPECT_EQ(imported.controllers[0].comment, Comment("Zone 1"));
    EXPECT_NE(readFile(dir.file("kiln.zat")).find("[Site]\r\nName=Kiln 2\r\n"), std::string::npos);
}

TEST_F(ZatctlTransfer, ImportIntoANewFileTakesTheSettingsOfTheRunAndLeavesTheInputNameAlone) {
    sim::PtyUnit unit(unitAt(7), {});
    unit.withState([](sim::UnitState& state) { state.setItem(1, 'b', 2, 0x0041); });
    unit.start();
    const auto result =
        zatctl(on(unit, {"import", "absent.zat", "--groups", "pid", "-o", "unit7.zat", "--address", "7"}));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_FALSE(std::filesystem::exists(dir.file("absent.zat")));
    const ConfigDatabase imported = load("unit7.zat");
    EXPECT_EQ(imported.controllers[2].mvRegister, 0x0041);
    EXPECT_EQ(imported.comms.address, 7);
    EXPECT_EQ(imported.comms.baudRate, 19200);
    EXPECT_EQ(imported.analogInputs[0], AnalogInputChannel{}) << "the rest is the cleared configuration";
}

TEST_F(ZatctlTransfer, AnImportGivenUpSavesNothingAfterItsRetries) {
    // Not in the program's own form: any save would change it.
    const std::string before = "[General]\r\nAddress=1\r\n";
    writeFile(dir.file("kiln.zat"), before);

    sim::PtyUnit unit(unitAt(2), {});
    unit.start();
    const auto result = zatctl(onSilent(unit, {"import", "kiln.zat", "--retry", "1"}));
    EXPECT_EQ(result.exitCode, 1);
    // Retry, then Abort.
    EXPECT_EQ(result.err, std::string(kSetupQuestion) + kSetupQuestion +
                              "zatctl: import given up; nothing was saved to kiln.zat\n");
    EXPECT_EQ(readFile(dir.file("kiln.zat")), before);
}

TEST_F(ZatctlTransfer, BadWordsAreUsageErrorsBeforeTheUnitIsAsked) {
    writeFile(dir.file("kiln.zat"), "");
    writeFile(dir.file("a.cal"), "");
    sim::PtyUnit unit(unitAt(1), {});
    unit.start();
    for (const std::vector<std::string>& args : {std::vector<std::string>{"export", "kiln.zat", "--groups", "ai,,ao"},
                                                 {"export", "kiln.zat", "--groups", ""},
                                                 {"export", "kiln.zat", "--groups", "ai,bogus"},
                                                 {"export", "kiln.zat", "--groups", "ai,"},
                                                 {"export", "kiln.zat", "--groups"},
                                                 {"import", "kiln.zat", "--retry", "100"},
                                                 {"import", "kiln.zat", "--retry", "x"},
                                                 {"import", "kiln.zat", "-o"},
                                                 {"export", "kiln.zat", "-o", "b.zat"},
                                                 {"export", "kiln.zat", "--ignore-errors"},
                                                 {"export"},
                                                 {"export", "kiln.zat", "other.zat"},
                                                 {"save-registers", "a.reg", "--retry", "1"},
                                                 {"restore-cal", "a.cal", "--bogus"}}) {
        const auto result = zatctl(on(unit, args));
        EXPECT_EQ(result.exitCode, 2) << ::testing::PrintToString(args);
        EXPECT_NE(result.err.find("usage: zatctl " + args[0]), std::string::npos) << result.err;
    }
    EXPECT_TRUE(unit.takeExchanges().empty());
}

TEST_F(ZatctlTransfer, RegistersGoToTheFileAndBack) {
    sim::PtyUnit unit(unitAt(1), {});
    unit.withState([](sim::UnitState& state) {
        state.setValue('B', 3, 1234);
        state.setValue('H', 2, 0x55);
        state.setValue('S', 1, 4);
    });
    unit.start();
    const auto saved = zatctl(on(unit, {"save-registers", "shift.REG"}));
    ASSERT_EQ(saved.exitCode, 0) << saved.err;
    const std::string file = readFile(dir.file("shift.REG"));
    for (const char* line : {"B03=1234\r\n", "D02=85\r\n", "S01=4\r\n"})
        EXPECT_NE(file.find(line), std::string::npos) << line << " in\n" << file;

    unit.withState([](sim::UnitState& state) {
        state.setValue('B', 3, 0);
        state.setValue('H', 2, 0);
        state.setValue('S', 1, 0);
    });
    const auto loaded = zatctl(on(unit, {"load-registers", "shift.REG"}));
    ASSERT_EQ(loaded.exitCode, 0) << loaded.err;
    unit.withState([](sim::UnitState& state) {
        EXPECT_EQ(state.value('B', 3), 1234);
        EXPECT_EQ(state.value('H', 2), 0x55);
        EXPECT_EQ(state.value('S', 1), 4);
    });
}

// A register the unit refuses is saved as "?"; one whose every try goes
// unanswered gives up the save, and the file keeps what it held.
TEST_F(ZatctlTransfer, SaveRegistersWritesNothingAfterAReadLostOnTheLine) {
    const std::string before = "[B REGS]\r\nB05=77\r\n";
    const struct {
        sim::Fault fault;
        int exitCode;
        std::string err;
        std::string file;
    } rows[] = {
        {sim::Fault::Drop, 1,
         "Transfer Failure: An error has occurred during register data transfer.\n"
         "zatctl: register save given up; nothing was saved to shift.reg\n",
         before},
        {sim::Fault::Refuse, 0,
         "Warning: One or more B Register values returned were illegal.\n"
         "This probably means that the values have never been set.\n"
         "These values will NOT be restored when the registers are reloaded\n",
         ""},
    };
    for (const auto& row : rows) {
        sim::FaultPlan faults;
        faults.failRequests({"R01B05", row.fault});
        sim::PtyUnit unit(unitAt(1), {}, std::move(faults));
        unit.start();
        writeFile(dir.file("shift.reg"), before);
        const auto result = zatctl(on(unit, {"save-registers", "shift.reg", "--retries", "3", "--timeout-ms", "50"}));
        EXPECT_EQ(result.exitCode, row.exitCode) << toString(row.fault);
        EXPECT_EQ(result.err, row.err);
        const std::string saved = readFile(dir.file("shift.reg"));
        if (!row.file.empty()) {
            EXPECT_EQ(saved, row.file);
        } else {
            EXPECT_EQ(saved.rfind("[B REGS]\r\nB05=?\r\nB00=0\r\n", 0), 0u) << saved;
        }
    }
}

TEST_F(ZatctlTransfer, FilesOfTheWrongKindOrMissingAreRefusedUntouched) {
    const std::string plant = "[General]\r\nPort=3\r\n";
    writeFile(dir.file("plant.zat"), plant);
    sim::PtyUnit unit(unitAt(1), {});
    unit.start();
    for (const char* command : {"save-registers", "load-registers"}) {
        const auto result = zatctl(on(unit, {command, "plant.zat"}));
        EXPECT_EQ(result.exitCode, 2) << command;
        EXPECT_EQ(result.err, "Error: Must be a .REG file\n") << command;
    }
    for (const char* command : {"save-cal", "restore-cal"}) {
        const auto result = zatctl(on(unit, {command, "plant.zat"}));
        EXPECT_EQ(result.exitCode, 2) << command;
        EXPECT_EQ(result.err, "Error: Must be a .CAL file\n") << command;
    }
    for (const char* command : {"load-registers", "restore-cal"}) {
        const std::string name = std::string("absent") + (command[0] == 'l' ? ".reg" : ".cal");
        const auto result = zatctl(on(unit, {command, name}));
        EXPECT_EQ(result.exitCode, 2) << command;
        EXPECT_EQ(result.err, "zatctl: cannot read " + name + ": No such file or directory\n") << command;
    }
    const auto unwritable = zatctl(on(unit, {"save-cal", "plant.zat/unit.cal"}));
    EXPECT_EQ(unwritable.exitCode, 2);
    EXPECT_EQ(unwritable.err, "zatctl: cannot write plant.zat/unit.cal: Not a directory\n");

    EXPECT_EQ(readFile(dir.file("plant.zat")), plant);
    EXPECT_TRUE(unit.takeExchanges().empty());
}

// A file with nothing of its kind, or a value too wide for its field, is
// refused before the unit is asked anything.
TEST_F(ZatctlTransfer, RegisterAndCalibrationFilesThatCannotBeSentAreRefused) {
    sim::PtyUnit unit(unitAt(1), {});
    unit.start();
    const struct {
        const char* command;
        const char* name;
        const char* content;
        const char* message;
    } cases[] = {
        {"load-registers", "empty.reg", "", "empty.reg holds no register values"},
        {"load-registers", "wide.reg", "[B REGS]\r\nB00=99999999999999\r\n",
         "Invalid register value B00=99999999999999 in wide.reg: valid range -32768 to 32767"},
        {"restore-cal", "empty.cal", "", "empty.cal holds no calibration constants"},
    };
    for (const auto& c : cases) {
        writeFile(dir.file(c.name), c.content);
        const auto result = zatctl(on(unit, {c.command, c.name}));
        EXPECT_EQ(result.exitCode, 2) << c.name;
        EXPECT_EQ(result.err, "zatctl: " + std::string(c.message) + "\n");
        EXPECT_TRUE(unit.takeExchanges().empty()) << c.name;
    }
}

// export and import find the unit where DB.zat says it is; --db and the unit
// options still win.
TEST_F(ZatctlTransfer, ExportAndImportTakeTheSettingsOfTheirOwnFile) {
    ConfigDatabase db;
    db.clear();
    db.comms.address = 5;
    save(db, "kiln.zat");
    db.comms.address = 6;
    save(db, "other.zat");
    sim::PtyUnit unit(unitAt(5), {});
    unit.start();
    for (const char* command : {"export", "import"}) {
        for (const std::vector<std::string>& extra :
             {std::vector<std::string>{}, {"--db", "other.zat"}, {"--address", "6"}}) {
            std::vector<std::string> args{command,        "kiln.zat", "--groups",  "hc",
                                          "--timeout-ms", "20",       "--retries", "0"};
            args.insert(args.end(), extra.begin(), extra.end());
            EXPECT_EQ(zatctl(on(unit, args)).exitCode, extra.empty() ? 0 : 1)
                << command << ::testing::PrintToString(extra);
            const std::vector<sim::Exchange> sent = unit.takeExchanges();
            ASSERT_FALSE(sent.empty());
            EXPECT_EQ(sent.front().request, extra.empty() ? "W05?0042" : "W06?0042") << command;
        }
    }
    EXPECT_EQ(load("kiln.zat").comms.address, 5);
}

TEST_F(ZatctlTransfer, CalibrationMovesFromOneUnitToAnotherThroughTheFile) {
    sim::PtyUnit first(unitAt(1), {});
    first.withState([](sim::UnitState& state) {
        state.setItem(0, 'x', 2, 0x1234);
        state.setItem(0, '{', 19, 0x8123);
        state.setItem(0, '|', 0, 1000);
    });
    first.start();
    const auto saved = zatctl(on(first, {"save-cal", "unit.cal"}));
    ASSERT_EQ(saved.exitCode, 0) << saved.err;

    sim::PtyUnit second(unitAt(1), {});
    second.start();
    const auto restored = zatctl(on(second, {"restore-cal", "unit.cal"}));
    ASSERT_EQ(restored.exitCode, 0) << restored.err;
    EXPECT_EQ(restored.err, "");
    second.withState([](sim::UnitState& state) {
        EXPECT_EQ(state.item(0, 'x', 2), 0x1234);
        EXPECT_EQ(state.item(0, '{', 19), 0x8123);
        EXPECT_EQ(state.item(0, '|', 0), 1000);
    });
}

TEST_F(ZatctlTransfer, CalibrationFromASilentUnitWritesNoFile) {
    sim::PtyUnit unit(unitAt(2), {});
    unit.start();
    const auto result = zatctl(onSilent(unit, {"save-cal", "unit.cal"}));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, std::string(kCalibrationQuestion) + "zatctl: calibration read given up; no file written\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("unit.cal")));
}

// Request 1 is the probe, 2 the page selection, 3 the first constant.
TEST_F(ZatctlTransfer, RestoreAnswersARefusedWriteWithRetryThenIgnoreThenAbort) {
    writeFile(dir.file("unit.cal"), "[Analog Input]\r\nZero 0=4200\r\n");
    struct Case {
        std::vector<std::string> options;
        int exitCode;
        const char* after;  // what follows the one question
    };
    for (const Case& c : {Case{{}, 1, "zatctl: calibration restore given up; the unit may hold part of it\n"},
                          Case{{"--retry", "1"}, 0, ""},
                          Case{{"--ignore-errors"}, 0, "zatctl: calibration written with failed writes ignored"}}) {
        sim::FaultPlan plan;
        plan.scheduleAt(3, sim::Fault::Refuse);
        sim::PtyUnit unit(unitAt(1), {}, plan);
        unit.start();
        std::vector<std::string> args{"restore-cal", "unit.cal"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const auto result = zatctl(on(unit, args));
        const std::string label = ::testing::PrintToString(c.options);
        EXPECT_EQ(result.exitCode, c.exitCode) << label << result.err;
        EXPECT_EQ(result.err.rfind(kCalibrationQuestion + std::string(c.after), 0), 0u) << label << result.err;
        EXPECT_EQ(count(result.err, "Transfer Failure"), 1u) << label;
        // After Retry or Ignore every constant went out again, the refused one too.
        const std::string sent = letters(unit.takeExchanges());
        EXPECT_EQ(count(sent, "{"), c.exitCode == 0 ? 20u : 0u) << label << sent;
        if (c.exitCode == 0) unit.withState([](sim::UnitState& state) { EXPECT_EQ(state.item(0, 'x', 0), 4200); });
    }
}

TEST_F(ZatctlTransfer, RestoreToASilentUnitEndsOnceItsAnswersAreUsedUp) {
    writeFile(dir.file("unit.cal"), "[Cold Junction]\r\nZero=900\r\n");
    sim::PtyUnit unit(unitAt(2), {});
    unit.start();
    const auto result = zatctl(onSilent(unit, {"restore-cal", "unit.cal", "--retry", "2", "--ignore-errors"}));
    EXPECT_EQ(result.exitCode, 1);
    // Retry, Retry, Ignore (the run ignoring errors still needs the probe), Abort.
    EXPECT_EQ(count(result.err, kCalibrationQuestion), 4u) << result.err;
    EXPECT_EQ(result.err.find("ignored"), std::string::npos) << result.err;
}

TEST_F(ZatctlTransfer, HelpExplainsEveryNewCommand) {
    const auto list = zatctl({"--help"});
    for (const char* command : {"export", "import", "save-registers", "load-registers", "save-cal", "restore-cal"}) {
        EXPECT_NE(list.out.find(std::string("  ") + command + " "), std::string::npos) << command;
        const auto one = zatctl({"help", command});
        EXPECT_EQ(one.exitCode, 0) << command;
        for (const char* part : {"Example:", "Exit status", "--device"})
            EXPECT_NE(one.out.find(part), std::string::npos) << command << ": " << part;
    }
}

}  // namespace
}  // namespace zat
