#include "model/database_file.h"
#include "model/file_io.h"
#include "support/recording_user_io.h"
#include "support/temp_dir.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <signal.h>
#include <string>
#include <sys/resource.h>

namespace zat {
namespace {

using test::readFile;
using test::RecordingUserIo;
using test::TempDir;
using test::writeFile;

std::string dataFile(const std::string& name) { return std::string(ZAT_TEST_DATA_DIR) + "/database/" + name; }

// Compares with a golden file; ZAT_UPDATE_GOLDEN=1 rewrites it instead (review the diff).
void expectGolden(const std::string& actual, const std::string& name) {
    if (std::getenv("ZAT_UPDATE_GOLDEN") != nullptr) writeFile(dataFile(name), actual);
    EXPECT_EQ(actual, readFile(dataFile(name))) << "golden file " << name;
}

// Every field set to a value that differs from both its New value and its
// loader default, with the full 16-bit ranges exercised.
void fillDistinct(ConfigDatabase& db) {
    db.comms = {3, 17, 4800, 1500, 4, 1};
    for (int k = 0; k < kDigitalInputCount; ++k)
        db.digitalInputComments[k].assign("Input comment " + std::to_string(k));
    for (int k = 0; k < kDigitalOutputCount; ++k)
        db.digitalOutputComments[k].assign("Output comment " + std::to_string(k));
    for (int k = 0; k < kAnalogInputCount; ++k)
        db.analogInputs[k] = {Comment("AI \xB0"
                                      "C " +
                                      std::to_string(k)),
                              static_cast<uint16_t>(0x0200 + k % 15), static_cast<int16_t>(9999 - k),
                              static_cast<int16_t>(-9999 + k)};
    for (int k = 0; k < kAnalogOutputCount; ++k)
        db.analogOutputs[k] = {Comment("AO " + std::to_string(k)),
                               static_cast<int16_t>(-k),
                               static_cast<int16_t>(k * 100),
                               static_cast<int16_t>(k - 10),
                               static_cast<uint16_t>(0x10 | (k % 15)),
                               0,
                               0};
    for (int k = 0; k < kHotColdBlockCount; ++k)
        db.hotColdBlocks[k] = {Comment("HC"),
                               0x80,
                               static_cast<uint16_t>(0x80 + k),
                               0x41,
                               0x42,
                               0x43,
                               {0xFF, 0x01, 0x80, 0x10, static_cast<uint16_t>(k)}};
    for (int k = 0; k < kIfBlockCount; ++k)
        db.ifBlocks[k] = {Comment("IF " + std::to_string(k)),
                          static_cast<uint16_t>(0xFFFF - k),
                          static_cast<uint16_t>(k % 3 == 0 ? 0 : 0x81),
                          static_cast<int16_t>(-k),
                          0x41,
                          static_cast<int16_t>(-32768 + k),
                          32767,
                          0xC5,
                          -1,
                          static_cast<int16_t>(k)};
    for (int k = 0; k < kControllerCount; ++k)
        db.controllers[k] = {Comment("PID"), 0xC3, 0x01, 0x02, 0x41, 9999, 2000, 1000, static_cast<uint16_t>(250 - k)};
    for (int k = 0; k < kProfilerCount; ++k)
        db.profilers[k] = {
            Comment("PG"), 0x80, 1, 0x41, 2, 3, 0x81, 0x82, 0x83, 0xC1, 0xC2, 0xC3, static_cast<uint16_t>(0xC4 + k)};
    for (int k = 0; k < kProfileCount; ++k) {
        TProfile& p = db.profiles[k];
        p.comment.assign("Ramp " + std::to_string(k));
        for (int s = 0; s < kProfileSegmentCount; ++s) {
            p.segRate[s] = static_cast<int16_t>(s == 7 ? -1 : 100 * s);
            p.segLevel[s] = static_cast<int16_t>(-9999 + s);
            p.segDwell[s] = static_cast<int16_t>(999 - s);
        }
        p.link = static_cast<int16_t>(5 - k);
    }
    db.recountIfBlocks();
}

// The records the file holds (everything but calibration, document state and
// the bias and flags of outputs 20..39).
void expectSameFileContent(const ConfigDatabase& a, const ConfigDatabase& b) {
    EXPECT_EQ(a.comms, b.comms);
    EXPECT_EQ(a.digitalInputComments, b.digitalInputComments);
    EXPECT_EQ(a.digitalOutputComments, b.digitalOutputComments);
    EXPECT_EQ(a.analogInputs, b.analogInputs);
    for (int k = 0; k < kAnalogOutputCount; ++k) {
        SCOPED_TRACE("output " + std::to_string(k));
        EXPECT_EQ(a.analogOutputs[k].comment, b.analogOutputs[k].comment);
        EXPECT_EQ(a.analogOutputs[k].from, b.analogOutputs[k].from);
        EXPECT_EQ(a.analogOutputs[k].to, b.analogOutputs[k].to);
        if (k < kPhysicalAnalogOutputCount) {
            EXPECT_EQ(a.analogOutputs[k].bias, b.analogOutputs[k].bias);
            EXPECT_EQ(a.analogOutputs[k].flags, b.analogOutputs[k].flags);
        }
    }
    EXPECT_EQ(a.hotColdBlocks, b.hotColdBlocks);
    EXPECT_EQ(a.ifBlocks, b.ifBlocks);
    EXPECT_EQ(a.controllers, b.controllers);
    EXPECT_EQ(a.profilers, b.profilers);
    EXPECT_EQ(a.profiles, b.profiles);
    EXPECT_EQ(a.ifBlockCount, b.ifBlockCount);
}

// The lines of one section, from its header to the next header.
std::string sectionText(const std::string& file, const std::string& header) {
    const std::size_t start = file.find("[" + header + "]\r\n");
    if (start == std::string::npos) return "";
    const std::size_t end = file.find("\r\n[", start + 1);
    return file.substr(start, end == std::string::npos ? std::string::npos : end + 2 - start);
}

class DatabaseFile : public ::testing::Test {
protected:
    TempDir dir;
    RecordingUserIo recorder;
    UserIo io = recorder.io();
};

TEST_F(DatabaseFile, ClearedDatabaseSavesExactlyAsTheGoldenFile) {
    ConfigDatabase db;
    db.clear();
    const std::string path = dir.file("new.zat");
    ASSERT_EQ(saveDatabase(db, path, io), Outcome::Ok);
    expectGolden(readFile(path), "cleared.zat");
}

TEST_F(DatabaseFile, FullDatabaseSavesExactlyAsTheGoldenFile) {
    ConfigDatabase db;
    fillDistinct(db);
    const std::string path = dir.file("full.zat");
    ASSERT_EQ(saveDatabase(db, path, io), Outcome::Ok);
    expectGolden(readFile(path), "full.zat");
}

TEST_F(DatabaseFile, NewFileHas197SectionsInOrderWithCrLfLines) {
    ConfigDatabase db;
    db.clear();
    const std::string path = dir.file("order.zat");
    ASSERT_EQ(saveDatabase(db, path, io), Outcome::Ok);
    const std::string file = readFile(path);

    std::vector<std::string> headers;
    std::size_t lines = 0;
    for (std::size_t pos = 0; pos < file.size();) {
        const std::size_t end = file.find("\r\n", pos);
        ASSERT_NE(end, std::string::npos) << "every line ends in CR LF";
        const std::string line = file.substr(pos, end - pos);
        EXPECT_EQ(line.find('\n'), std::string::npos);
        if (!line.empty() && line[0] == '[') headers.push_back(line);
        ++lines;
        pos = end + 2;
    }
    ASSERT_EQ(headers.size(), 197u);
    EXPECT_EQ(headers[0], "[General]");
    EXPECT_EQ(headers[1], "[Digital Inputs]");
    EXPECT_EQ(headers[2], "[Digital Outputs]");
    EXPECT_EQ(headers[3], "[Analog Input 0]");
    EXPECT_EQ(headers[43], "[Output 0]");
    EXPECT_EQ(headers[83], "[HC Block 0]");
    EXPECT_EQ(headers[87], "[IF Block 0]");
    EXPECT_EQ(headers[177], "[Controller 0]");
    EXPECT_EQ(headers[185], "[Profiler 0]");
    EXPECT_EQ(headers[191], "[Profile 0]");
    EXPECT_EQ(headers[196], "[Profile 5]");
    // 6 + 40 + 56 + 40*4 + 20*5 + 20*3 + 4*11 + 90*10 + 8*9 + 6*13 + 6*26 keys.
    EXPECT_EQ(lines, 197u + 6 + 40 + 56 + 160 + 100 + 60 + 44 + 900 + 72 + 78 + 156);
}

TEST_F(DatabaseFile, ControllerSectionKeysAndOrder) {
    ConfigDatabase db;
    db.clear();
    const std::string path = dir.file("c.zat");
    ASSERT_EQ(saveDatabase(db, path, io), Outcome::Ok);
    EXPECT_EQ(sectionText(readFile(path), "Controller 2"),
              "[Controller 2]\r\nComment=\r\nMV REGISTER=0\r\nSP REGISTER=0\r\nOP REGISTER=0\r\n"
              "PROP BAND=1\r\nINT TIME=0\r\nDER TIME=0\r\nFlags=0\r\nTP Cycle=10\r\n");
}

TEST_F(DatabaseFile, GeneralSectionAndAnalogOutputsWithoutBiasAboveNineteen) {
    ConfigDatabase db;
    db.clear();
    const std::string path = dir.file("g.zat");
    ASSERT_EQ(saveDatabase(db, path, io), Outcome::Ok);
    const std::string file = readFile(path);
    EXPECT_EQ(sectionText(file, "General"),
              "[General]\r\nPort=4\r\nAddress=1\r\nBaud Rate=9600\r\nTime Out=0.25\r\nRetries=5\r\nProtocol=0\r\n");
    EXPECT_EQ(sectionText(file, "Output 19"),
              "[Output 19]\r\nComment=\r\nFrom=-9999\r\nTo=9999\r\nBias=0\r\nFlags=0\r\n");
    EXPECT_EQ(sectionText(file, "Output 20"), "[Output 20]\r\nComment=\r\nFrom=-9999\r\nTo=9999\r\n");
}

TEST_F(DatabaseFile, SaveReportsItsProgressAndStatusAndClearsModified) {
    ConfigDatabase db;
    db.markModified();
    const std::string path = dir.file("p.zat");
    ASSERT_EQ(saveDatabase(db, path, io), Outcome::Ok);
    const std::vector<std::string> calls{"show", "range 0 290", "message Writing ZAT data file", "destroy"};
    EXPECT_EQ(recorder.progress.calls, calls);
    EXPECT_EQ(recorder.progress.steps, 290);
    EXPECT_EQ(recorder.progress.meter.percent(), 100);
    const std::vector<std::string> texts{"Saving ZAT database file :" + path, ""};
    EXPECT_EQ(recorder.status.texts, texts);
    EXPECT_FALSE(db.modified);
    EXPECT_TRUE(recorder.prompts.shown.empty());
}

TEST_F(DatabaseFile, LoadReportsItsProgressAndStatusAndClearsModified) {
    ConfigDatabase db;
    db.markModified();
    const std::string path = dataFile("cleared.zat");
    EXPECT_TRUE(loadDatabase(db, path, io).fileRead);
    const std::vector<std::string> calls{"show", "range 0 290", "message Reading ZAT data file", "destroy"};
    EXPECT_EQ(recorder.progress.calls, calls);
    EXPECT_EQ(recorder.progress.steps, 290);
    const std::vector<std::string> texts{"Loading ZAT database file :" + path, ""};
    EXPECT_EQ(recorder.status.texts, texts);
    EXPECT_FALSE(db.modified);
}

TEST_F(DatabaseFile, RoundTripKeepsEveryFieldTheFileHolds) {
    ConfigDatabase saved;
    fillDistinct(saved);
    const std::string path = dir.file("round.zat");
    ASSERT_EQ(saveDatabase(saved, path, io), Outcome::Ok);

    ConfigDatabase loaded;
    loaded.clear();
    loadDatabase(loaded, path, io);
    expectSameFileContent(saved, loaded);

    // Saving what was loaded gives the same bytes again.
    const std::string again = dir.file("again.zat");
    ASSERT_EQ(saveDatabase(loaded, again, io), Outcome::Ok);
    EXPECT_EQ(readFile(again), readFile(path));
}

TEST_F(DatabaseFile, LoadingAMissingFileGivesTheLoaderDefaults) {
    ConfigDatabase db;
    fillDistinct(db);
    db.analogOutputs[30].bias = 44;
    db.analogOutputs[30].flags = 0x15;
    db.analogOutputs[2].calZero = 123;
    db.coldJunctionZero = 9;
    db.markModified();
    const DatabaseLoad result = loadDatabase(db, dir.file("absent.zat"), io);
    EXPECT_FALSE(result.fileRead);
    EXPECT_EQ(result.reason, "No such file or directory");
    EXPECT_TRUE(recorder.prompts.shown.empty()) << "a load reports nothing itself";

    EXPECT_EQ(db.comms, (CommsSettings{1, 0, 9600, 100, 2, 0}));
    for (const auto& a : db.analogInputs) EXPECT_EQ(a, (AnalogInputChannel{Comment(), 0, 1000, 0}));
    for (int k = 0; k < kPhysicalAnalogOutputCount; ++k) {
        EXPECT_EQ(db.analogOutputs[k].from, 0);
        EXPECT_EQ(db.analogOutputs[k].to, 1000);
        EXPECT_EQ(db.analogOutputs[k].bias, 0);
        EXPECT_EQ(db.analogOutputs[k].flags, 0);
        EXPECT_TRUE(db.analogOutputs[k].comment.empty());
    }
    EXPECT_EQ(db.analogOutputs[39].to, 1000);
    for (const auto& c : db.controllers) EXPECT_EQ(c, TController{});
    for (const auto& p : db.profiles) EXPECT_EQ(p, TProfile{});
    for (const auto& p : db.profilers) EXPECT_EQ(p, TProfiler{});
    for (const auto& b : db.ifBlocks) EXPECT_EQ(b, TIfconf{});
    for (const auto& h : db.hotColdBlocks) EXPECT_EQ(h, HotColdBlock{});
    for (const auto& c : db.digitalOutputComments) EXPECT_TRUE(c.empty());
    EXPECT_EQ(db.ifBlockCount, 0);
    EXPECT_FALSE(db.modified);

    // Not in the file, so not touched by a load.
    EXPECT_EQ(db.analogOutputs[30].bias, 44);
    EXPECT_EQ(db.analogOutputs[30].flags, 0x15);
    EXPECT_EQ(db.analogOutputs[2].calZero, 123);
    EXPECT_EQ(db.coldJunctionZero, 9);
}

TEST_F(DatabaseFile, WriterAndReaderKeySpellingsFindTheSameEntries) {
    const std::string path = dir.file("keys.zat");
    writeFile(path,
              "[Controller 1]\r\nMV REGISTER=66\r\nsp register=2\r\nOp Register=3\r\n"
              "[Profiler 4]\r\nPROFILE REGISTER=7\r\nLOCAL REGISTER=8\r\nMV REGISTER=9\r\n");
    ConfigDatabase db;
    loadDatabase(db, path, io);
    EXPECT_EQ(db.controllers[1].mvRegister, 66);
    EXPECT_EQ(db.controllers[1].spRegister, 2);
    EXPECT_EQ(db.controllers[1].opRegister, 3);
    EXPECT_EQ(db.profilers[4].profileRegister, 7);
    EXPECT_EQ(db.profilers[4].localRegister, 8);
    EXPECT_EQ(db.profilers[4].mvRegister, 9);
}

TEST_F(DatabaseFile, TimeOutIsStoredInSeconds) {
    const std::string path = dir.file("t.zat");
    writeFile(path, "[General]\r\nTime Out=0.25\r\n");
    ConfigDatabase db;
    loadDatabase(db, path, io);
    EXPECT_EQ(db.comms.timeOut, 250u);
    ASSERT_EQ(saveDatabase(db, path, io), Outcome::Ok);
    EXPECT_NE(readFile(path).find("Time Out=0.25\r\n"), std::string::npos);

    writeFile(path, "[General]\r\nTime Out=2\r\n");
    loadDatabase(db, path, io);
    EXPECT_EQ(db.comms.timeOut, 2000u);
    ASSERT_EQ(saveDatabase(db, path, io), Outcome::Ok);
    EXPECT_NE(readFile(path).find("Time Out=2\r\n"), std::string::npos);
}

TEST(TimeOutText, ConversionsBothWays) {
    EXPECT_EQ(formatTimeOutSeconds(250), "0.25");
    EXPECT_EQ(formatTimeOutSeconds(1000), "1");
    EXPECT_EQ(formatTimeOutSeconds(100), "0.1");
    EXPECT_EQ(formatTimeOutSeconds(19), "0.019");
    EXPECT_EQ(formatTimeOutSeconds(0), "0");
    EXPECT_EQ(formatTimeOutSeconds(1234567), "1234.57");  // six significant digits, as "%g"

    EXPECT_EQ(parseTimeOutSeconds("0.1"), 100u);
    EXPECT_EQ(parseTimeOutSeconds("0.25"), 250u);
    EXPECT_EQ(parseTimeOutSeconds("1"), 1000u);
    EXPECT_EQ(parseTimeOutSeconds("0.0019"), 1u);  // truncated, not rounded
    EXPECT_EQ(parseTimeOutSeconds("0.5s"), 500u);  // the number before other text
    EXPECT_EQ(parseTimeOutSeconds("+3"), 3000u);
    EXPECT_EQ(parseTimeOutSeconds("1e-1"), 100u);
    EXPECT_EQ(parseTimeOutSeconds("fast"), 0u);
    EXPECT_EQ(parseTimeOutSeconds(""), 0u);
    // Nonsense that would overflow the millisecond field is held at its ends.
    EXPECT_EQ(parseTimeOutSeconds("-5"), 0u);
    EXPECT_EQ(parseTimeOutSeconds("1e300"), 4294967295u);
    EXPECT_EQ(parseTimeOutSeconds("1e-400"), 0u);
    EXPECT_EQ(parseTimeOutSeconds("99999999999999999999999"), 4294967295u);
    EXPECT_EQ(parseTimeOutSeconds("inf"), 0u);
    EXPECT_EQ(parseTimeOutSeconds("nan"), 0u);
    EXPECT_EQ(parseTimeOutSeconds(".5"), 500u);
    EXPECT_EQ(parseTimeOutSeconds("0.019"), 19u);
}

TEST(TimeOutText, DecimalValuesAreMultipliedExactly) {
    // In binary floating point 4.35 * 1000 is 4349.999..., which truncates to
    // 4349: every save and load would lose a millisecond.
    EXPECT_EQ(parseTimeOutSeconds("4.35"), 4350u);
    EXPECT_EQ(parseTimeOutSeconds("0.285"), 285u);
    for (uint32_t ms = 0; ms <= 100000; ++ms) {
        ASSERT_EQ(parseTimeOutSeconds(formatTimeOutSeconds(ms)), ms) << ms;
    }
}

TEST_F(DatabaseFile, NumbersKeepTheirLow16BitsAndPrintBySignedness) {
    const std::string path = dir.file("wrap.zat");
    writeFile(path,
              "[IF Block 0]\r\nFlags=-1\r\nIF Operand2=-5\r\nIF Operand1=65535\r\nTHEN Operand2=70000\r\n"
              "[Analog Input 0]\r\nHi Scalar=70000\r\nType=65536\r\nLo Scalar=-40000\r\n");
    ConfigDatabase db;
    loadDatabase(db, path, io);
    EXPECT_EQ(db.ifBlocks[0].flags, 0xFFFF);
    EXPECT_EQ(db.ifBlocks[0].ifOperand2, -5);
    EXPECT_EQ(db.ifBlocks[0].ifOperand1, 0xFFFF);
    EXPECT_EQ(db.ifBlocks[0].thenOperand2, 4464);  // 70000 - 65536
    EXPECT_EQ(db.analogInputs[0].hiScalar, 4464);
    EXPECT_EQ(db.analogInputs[0].type, 0);
    EXPECT_EQ(db.analogInputs[0].loScalar, 25536);  // -40000 + 65536

    ASSERT_EQ(saveDatabase(db, path, io), Outcome::Ok);
    const std::string section = sectionText(readFile(path), "IF Block 0");
    EXPECT_NE(section.find("Flags=65535\r\n"), std::string::npos);
    EXPECT_NE(section.find("IF Operand2=-5\r\n"), std::string::npos);
    EXPECT_NE(section.find("IF Operand1=65535\r\n"), std::string::npos);
}

TEST_F(DatabaseFile, IfBlockCountFollowsTheFirstOperandOnly) {
    const std::string path = dir.file("count.zat");
    writeFile(path,
              "[IF Block 3]\r\nIF Operand1=5\r\n[IF Block 7]\r\nIF Operand1=200\r\n"
              "[IF Block 8]\r\nFlags=128\r\nTHEN Operand1=5\r\n[IF Block 9]\r\nIF Operand1=0\r\n");
    ConfigDatabase db;
    db.ifBlockCount = 55;
    loadDatabase(db, path, io);
    EXPECT_EQ(db.ifBlockCount, 2);
}

TEST_F(DatabaseFile, SavingUpdatesInPlaceAndKeepsWhatItDoesNotWrite) {
    const std::string path = dir.file("inplace.zat");
    writeFile(path,
              "; plant notes kept by hand\r\n"
              "[Output 30]\r\nComment=old\r\nBias=7\r\nFlags=3\r\n"
              "[Site]\r\nName=Kiln 2\r\n"
              "[General]\r\nPort=2\r\nOperator=J. Smith\r\n");
    ConfigDatabase db;
    db.clear();
    db.analogOutputs[30].comment.assign("new");
    ASSERT_EQ(saveDatabase(db, path, io), Outcome::Ok);
    const std::string file = readFile(path);

    EXPECT_EQ(file.rfind("; plant notes kept by hand\r\n[Output 30]\r\nComment=new\r\nBias=7\r\nFlags=3\r\n", 0), 0u)
        << file.substr(0, 200);
    EXPECT_NE(file.find("[Site]\r\nName=Kiln 2\r\n"), std::string::npos);
    EXPECT_NE(file.find("[General]\r\nPort=4\r\nOperator=J. Smith\r\nAddress=1\r\n"), std::string::npos);

    ConfigDatabase reloaded;
    loadDatabase(reloaded, path, io);
    EXPECT_EQ(reloaded.analogOutputs[30].comment.view(), "new");
    EXPECT_EQ(reloaded.analogOutputs[30].bias, 0) << "bias of outputs 20..39 is not read";
}

TEST_F(DatabaseFile, CommentsAreCutTo29CharactersOnLoad) {
    const std::string path = dir.file("long.zat");
    const std::string forty = "0123456789012345678901234567890123456789";
    writeFile(path, "[Analog Input 5]\r\nComment=" + forty + "\r\n[Digital Inputs]\r\nInput 3=" + forty + "\r\n");
    ConfigDatabase db;
    loadDatabase(db, path, io);
    EXPECT_EQ(db.analogInputs[5].comment.view(), forty.substr(0, 29));
    EXPECT_EQ(db.digitalInputComments[3].view(), forty.substr(0, 29));
}

TEST_F(DatabaseFile, CommentBytesAreKeptAsTheyAre) {
    ConfigDatabase db;
    db.clear();
    db.analogInputs[1].comment.assign(
        "Ofen \xFC"
        "ber 1200\xB0"
        "C = Alarm");  // Windows-1252
    db.digitalOutputComments[55].assign("[not a section]");
    const std::string path = dir.file("bytes.zat");
    ASSERT_EQ(saveDatabase(db, path, io), Outcome::Ok);
    ConfigDatabase reloaded;
    loadDatabase(reloaded, path, io);
    EXPECT_EQ(reloaded.analogInputs[1].comment, db.analogInputs[1].comment);
    EXPECT_EQ(reloaded.digitalOutputComments[55].view(), "[not a section]");
}

TEST_F(DatabaseFile, WriteFailureTellsTheUserAndKeepsModified) {
    const std::string blocker = dir.file("plain-file");
    writeFile(blocker, "x");
    const std::string path = blocker + "/db.zat";  // a file is not a directory
    ConfigDatabase db;
    db.markModified();
    EXPECT_EQ(saveDatabase(db, path, io), Outcome::Failed);
    EXPECT_TRUE(db.modified);
    ASSERT_EQ(recorder.prompts.shown.size(), 1u);
    const test::ShownMessage& box = recorder.prompts.shown[0];
    EXPECT_EQ(box.text, "Unable to write file " + path + "\nNot a directory");
    EXPECT_EQ(box.caption, "Error");
    EXPECT_EQ(box.icon, MessageIcon::Stop);
    EXPECT_EQ(box.buttons, MessageButtons::Ok);
    // The window and the status text are gone before the box is shown.
    EXPECT_EQ(recorder.progress.calls.back(), "destroy");
    EXPECT_EQ(recorder.status.texts.back(), "");
}

TEST_F(DatabaseFile, AFullDiskLeavesTheOldFileWhole) {
    const std::string path = dir.file("full-disk.zat");
    const std::string old = "[General]\r\nPort=2\r\n[Mine]\r\nKeep=me\r\n";
    writeFile(path, old);

    // A file-size limit makes every write past it fail as a full disk would.
    struct sigaction ignore {
    }, previous{};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, &previous);
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    rlimit small = before;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);

    ConfigDatabase db;
    db.markModified();
    const Outcome saved = saveDatabase(db, path, io);

    setrlimit(RLIMIT_FSIZE, &before);
    sigaction(SIGXFSZ, &previous, nullptr);

    EXPECT_EQ(saved, Outcome::Failed);
    EXPECT_TRUE(db.modified);
    EXPECT_EQ(readFile(path), old);
    ASSERT_EQ(recorder.prompts.shown.size(), 1u);
    EXPECT_EQ(recorder.prompts.shown[0].text, "Unable to write file " + path + "\nFile too large");
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        EXPECT_EQ(entry.path().filename(), "full-disk.zat") << "no temporary file is left behind";
}

// A file near the read limit (hand-added lines) whose save would pass it.
TEST_F(DatabaseFile, ASaveThatWouldPassTheReadLimitIsRefusedAndTheFileStays) {
    const std::string path = dir.file("near-limit.zat");
    ConfigDatabase db;
    db.clear();
    ASSERT_EQ(saveDatabase(db, path, io), Outcome::Ok);
    std::string text = readFile(path);
    const std::string padding = "[Notes]\r\nText=\r\n";
    text += padding;
    text.insert(text.size() - 2, std::string(kMaxFileSize - 5 - text.size(), 'x'));
    ASSERT_EQ(text.size(), kMaxFileSize - 5);
    writeFile(path, text);

    ASSERT_TRUE(loadDatabase(db, path, io).fileRead);
    db.analogInputs[0].comment = Comment("Furnace zone1");  // 13 characters more than the empty one
    db.markModified();
    EXPECT_EQ(saveDatabase(db, path, io), Outcome::Failed);
    EXPECT_TRUE(db.modified);
    EXPECT_TRUE(readFile(path) == text);
    ASSERT_EQ(recorder.prompts.shown.size(), 1u);
    EXPECT_EQ(recorder.prompts.shown[0].text,
              "Unable to write file " + path +
                  "\nFile too large: it would pass 16 MiB, more than this program can open again");
    EXPECT_EQ(recorder.prompts.shown[0].caption, "Error");
}

TEST_F(DatabaseFile, SavingOverADirectoryFailsWithoutLoss) {
    ConfigDatabase db;
    db.markModified();
    EXPECT_EQ(saveDatabase(db, dir.path(), io), Outcome::Failed);
    EXPECT_TRUE(db.modified);
    ASSERT_EQ(recorder.prompts.shown.size(), 1u);
    EXPECT_EQ(recorder.prompts.shown[0].text.rfind("Unable to write file " + dir.path() + "\n", 0), 0u);
}

}  // namespace
}  // namespace zat
