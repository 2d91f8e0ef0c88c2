#include "comms/register_file.h"
#include "support/temp_dir.h"
#include "support/unit_on_pty.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace zat {
namespace {

using sim::Fault;
using test::faultAt;
using test::UnitOnPty;
using Requests = std::vector<std::string>;

constexpr char kSavedWarning[] =
    "One or more B Register values returned were illegal.\n"
    "This probably means that the values have never been set.\n"
    "These values will NOT be restored when the registers are reloaded";
constexpr char kLoadedWarning[] =
    "One or more B Register values read were illegal.\n"
    "This probably means that the values have never been set.\n"
    "These values will NOT be restored.";

// A file with every register: B n = 10 n, D n = n, S n = n.
std::string fullFile() {
    std::string text = "[B REGS]\r\n";
    for (int n = 0; n < 40; ++n)
        text += "B" + std::string(n < 10 ? "0" : "") + std::to_string(n) + "=" + std::to_string(10 * n) + "\r\n";
    text += "[D REGS]\r\n";
    for (int n = 0; n < 7; ++n) text += "D0" + std::to_string(n) + "=" + std::to_string(n) + "\r\n";
    text += "[S REGS]\r\n";
    for (int n = 0; n < 6; ++n) text += "S0" + std::to_string(n) + "=" + std::to_string(n) + "\r\n";
    return text;
}

class RegisterFile : public ::testing::Test {
protected:
    test::TempDir dir;
    std::string path = dir.file("plant.reg");
};

TEST_F(RegisterFile, SaveWritesEveryRegisterAndMarksOneThatCannotBeRead) {
    // Request 1 is the probe, 2..41 the B registers: B05 is request 7.
    UnitOnPty rig({}, {}, UnitOnPty::quickSettings(), faultAt(7, Fault::Refuse));
    rig.unit.withState([](sim::UnitState& s) {
        ASSERT_TRUE(s.setValue('B', 4, -25));
        ASSERT_TRUE(s.setValue('H', 6, 200));
        ASSERT_TRUE(s.setValue('S', 5, 3));
    });
    test::writeFile(path, "; kiln registers\r\n[Notes]\r\nWho=night shift\r\n[B REGS]\r\nB04=1\r\nExtra=keep\r\n");

    EXPECT_EQ(saveRegisters(rig.protocol, path, rig.user.io()), RegisterSave::Saved);

    const std::string saved = test::readFile(path);
    EXPECT_EQ(
        saved.rfind("; kiln registers\r\n[Notes]\r\nWho=night shift\r\n[B REGS]\r\nB04=-25\r\nExtra=keep\r\nB00=0\r\n",
                    0),
        0u)
        << saved;
    EXPECT_NE(saved.find("\r\nB05=?\r\n"), std::string::npos);
    EXPECT_NE(saved.find("B39=0\r\n[D REGS]\r\nD00=0\r\n"), std::string::npos);
    EXPECT_NE(saved.find("D06=200\r\n[S REGS]\r\n"), std::string::npos);
    EXPECT_NE(saved.find("S05=3\r\n"), std::string::npos);
    ASSERT_EQ(rig.user.prompts.shown.size(), 1u);
    EXPECT_EQ(rig.user.prompts.shown[0].text, kSavedWarning);
    EXPECT_EQ(rig.user.prompts.shown[0].caption, "Warning");
    EXPECT_EQ(rig.user.prompts.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(rig.user.progress.calls[1], "range 0 53");
    EXPECT_EQ(rig.user.progress.calls[2], "message Reading current register status");
    EXPECT_EQ(rig.user.progress.steps, 53);
}

// "?" is kept for what the unit answers as not set; a read that fails on the
// line (every try) stops the save before anything is written.
TEST_F(RegisterFile, AFailedReadOfB05IsNotSetOnlyWhenTheUnitAnswered) {
    const struct {
        Fault fault;
        RegisterSave result;
        std::size_t tries;
    } rows[] = {
        {Fault::Refuse, RegisterSave::Saved, 1},        {Fault::BadValue, RegisterSave::Saved, 1},
        {Fault::Drop, RegisterSave::LineFailed, 4},     {Fault::Garble, RegisterSave::LineFailed, 4},
        {Fault::Truncate, RegisterSave::LineFailed, 4},
    };
    const std::string before = "[B REGS]\r\nB05=77\r\n";
    for (const auto& row : rows) {
        sim::FaultPlan faults;
        faults.failRequests({"R01B05", row.fault});
        UnitOnPty rig({}, {}, UnitOnPty::quickSettings(3), std::move(faults));
        test::writeFile(path, before);

        EXPECT_EQ(saveRegisters(rig.protocol, path, rig.user.io()), row.result) << toString(row.fault);

        const Requests sent = rig.requests();
        EXPECT_EQ(static_cast<std::size_t>(std::count(sent.begin(), sent.end(), "R01B05")), row.tries);
        const std::string saved = test::readFile(path);
        if (row.result == RegisterSave::Saved) {
            EXPECT_NE(saved.find("B05=?\r\n"), std::string::npos) << toString(row.fault);
            ASSERT_EQ(rig.user.prompts.shown.size(), 1u);
            EXPECT_EQ(rig.user.prompts.shown[0].text, kSavedWarning);
        } else {
            EXPECT_EQ(saved, before) << toString(row.fault);
            EXPECT_EQ(sent.back(), "R01B05") << "no register is read after the failure";
            EXPECT_TRUE(rig.user.prompts.shown.empty()) << "the caller asks what next";
            EXPECT_EQ(rig.user.progress.calls.back(), "destroy");
        }
    }
}

TEST_F(RegisterFile, SaveToASilentUnitTouchesNoFile) {
    CommsSettings comms = UnitOnPty::quickSettings();
    comms.address = 9;
    comms.timeOut = 20;
    UnitOnPty rig({}, {}, comms);

    EXPECT_EQ(saveRegisters(rig.protocol, path, rig.user.io()), RegisterSave::Stopped);

    EXPECT_FALSE(std::filesystem::exists(path));
    ASSERT_EQ(rig.user.prompts.shown.size(), 1u);
    EXPECT_EQ(rig.user.prompts.shown[0].text,
              "Unable to communicate with ZAT\nCheck baud rate and address and try again");
    EXPECT_EQ(rig.traffic.requests.size(), 1u);
}

TEST_F(RegisterFile, SaveThatCannotWriteSaysWhy) {
    UnitOnPty rig({}, {}, UnitOnPty::quickSettings());
    const std::string nowhere = dir.file("gone/plant.reg");

    EXPECT_EQ(saveRegisters(rig.protocol, nowhere, rig.user.io()), RegisterSave::Stopped);

    ASSERT_EQ(rig.user.prompts.shown.size(), 1u);
    EXPECT_EQ(rig.user.prompts.shown[0].text, "Unable to write file " + nowhere + "\nNo such file or directory");
    EXPECT_EQ(rig.user.prompts.shown[0].caption, "Error");
}

TEST_F(RegisterFile, LoadWritesWhatTheFileHoldsAndSkipsProtectedOutputs) {
    UnitOnPty rig({}, {}, UnitOnPty::quickSettings());
    rig.unit.withState([](sim::UnitState& s) { ASSERT_TRUE(s.setValue('E', 3, 0x08)); });
    std::string text = fullFile();
    text.replace(text.find("B07=70"), 6, "B07=12abc");
    text.replace(text.find("S02=2"), 5, "S02=?");
    test::writeFile(path, text);

    EXPECT_EQ(loadRegisters(rig.protocol, path, rig.user.io()), Outcome::Ok);

    rig.unit.withState([](sim::UnitState& s) {
        EXPECT_EQ(s.value('B', 2), 20);
        EXPECT_EQ(s.value('B', 3), 0);  // protected: not written
        EXPECT_EQ(s.value('B', 7), 12);
        EXPECT_EQ(s.value('B', 39), 390);
        EXPECT_EQ(s.value('H', 6), 6);
        EXPECT_EQ(s.value('S', 2), 0);
        EXPECT_EQ(s.value('S', 5), 5);
    });
    const Requests sent = rig.requests();
    EXPECT_EQ(Requests(sent.begin(), sent.begin() + 8),
              (Requests{"W01?0042", "R01E00", "W01B000000", "R01E01", "W01B010010", "R01E02", "W01B020020", "R01E03"}));
    EXPECT_EQ(sent[8], "R01E04");
    EXPECT_TRUE(rig.user.prompts.shown.empty());
    EXPECT_EQ(rig.user.progress.calls[2], "message Writing register values from file");
    EXPECT_EQ(rig.user.progress.steps, 52);  // the skipped output takes no step
}

TEST_F(RegisterFile, LoadWithoutBRegistersWritesTheRestAndWarns) {
    UnitOnPty rig({}, {}, UnitOnPty::quickSettings());
    const std::string text = fullFile();
    test::writeFile(path, text.substr(text.find("[D REGS]")));

    EXPECT_EQ(loadRegisters(rig.protocol, path, rig.user.io()), Outcome::Ok);

    Requests writes;
    for (const std::string& request : rig.requests())
        if (request[0] == 'W' && request[3] != '?') writes.push_back(request.substr(0, 6));
    EXPECT_EQ(writes, (Requests{"W01H00", "W01H01", "W01H02", "W01H03", "W01H04", "W01H05", "W01H06", "W01S00",
                                "W01S01", "W01S02", "W01S03", "W01S04", "W01S05"}));
    ASSERT_EQ(rig.user.prompts.shown.size(), 1u);
    EXPECT_EQ(rig.user.prompts.shown[0].text, kLoadedWarning);
    EXPECT_EQ(rig.user.prompts.shown[0].caption, "Warning");
}

TEST_F(RegisterFile, LoadStopsWhenAnOutputCannotBeWrittenOrItsStatusRead) {
    {
        // 1 probe, 2 E00, 3 B00, 4 E01, 5 B01 refused.
        UnitOnPty rig({}, {}, UnitOnPty::quickSettings(), faultAt(5, Fault::Refuse));
        test::writeFile(path, fullFile());
        EXPECT_EQ(loadRegisters(rig.protocol, path, rig.user.io()), Outcome::Failed);
        EXPECT_EQ(rig.requests().size(), 5u);
        ASSERT_EQ(rig.user.prompts.shown.size(), 1u);
        EXPECT_EQ(rig.user.prompts.shown[0].text,
                  "A communications error occured while attempting to write register value");
        EXPECT_EQ(rig.user.prompts.shown[0].icon, MessageIcon::Stop);
        EXPECT_FALSE(rig.user.progress.visible);
    }
    {
        UnitOnPty rig({}, {}, UnitOnPty::quickSettings(), faultAt(4, Fault::Refuse));
        EXPECT_EQ(loadRegisters(rig.protocol, path, rig.user.io()), Outcome::Failed);
        EXPECT_EQ(rig.requests().size(), 4u);
        ASSERT_EQ(rig.user.prompts.shown.size(), 1u);
        EXPECT_EQ(rig.user.prompts.shown[0].text,
                  "A communications error occured while attempting to read register status");
    }
}

TEST_F(RegisterFile, LoadGoesOnPastAFailedGroupWrite) {
    // 1 probe, 2-81 E and B, 82 D00 refused.
    UnitOnPty rig({}, {}, UnitOnPty::quickSettings(), faultAt(82, Fault::Refuse));
    test::writeFile(path, fullFile());

    EXPECT_EQ(loadRegisters(rig.protocol, path, rig.user.io()), Outcome::Ok);

    EXPECT_EQ(rig.requests().size(), 1u + 80u + 7u + 6u);
    EXPECT_EQ(rig.user.beep.beeps.size(), 1u);
    EXPECT_TRUE(rig.user.prompts.shown.empty());
}

TEST_F(RegisterFile, LoadOfAMissingFileSendsNothing) {
    UnitOnPty rig({}, {}, UnitOnPty::quickSettings());

    EXPECT_EQ(loadRegisters(rig.protocol, path, rig.user.io()), Outcome::Failed);

    EXPECT_TRUE(rig.traffic.requests.empty());
    ASSERT_EQ(rig.user.prompts.shown.size(), 1u);
    EXPECT_EQ(rig.user.prompts.shown[0].text, "Unable to read file " + path + "\nNo such file or directory");
}

TEST_F(RegisterFile, LoadRefusesAFileWithoutRegistersOrWithAValueTooWideAndSendsNothing) {
    const std::pair<const char*, std::string> cases[] = {
        {"[General]\r\nAddress=1\r\n[B REGS]\r\nNote=x\r\n", path + " holds no register values"},
        {"[D REGS]\r\nD06=-32769\r\n",
         "Invalid register value D06=-32769 in " + path + ": valid range -32768 to 32767"},
        {"[S REGS]\r\nS00=4294967296\r\n",
         "Invalid register value S00=4294967296 in " + path + ": valid range -32768 to 32767"},
    };
    for (const auto& [content, message] : cases) {
        UnitOnPty rig({}, {}, UnitOnPty::quickSettings());
        test::writeFile(path, content);
        EXPECT_EQ(loadRegisters(rig.protocol, path, rig.user.io()), Outcome::Failed) << content;
        EXPECT_TRUE(rig.traffic.requests.empty()) << content;
        ASSERT_EQ(rig.user.prompts.shown.size(), 1u) << content;
        EXPECT_EQ(rig.user.prompts.shown[0].text, message);
        EXPECT_EQ(rig.user.prompts.shown[0].icon, MessageIcon::Stop);
    }
}

}  // namespace
}  // namespace zat
