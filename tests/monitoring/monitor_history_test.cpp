#include "monitoring/monitor_csv.h"
#include "monitoring/monitor_history.h"
#include "support/small_disk.h"
#include "support/temp_dir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace zat {
namespace {

using namespace std::chrono_literals;

MonitorHistory::Clock::time_point at(int second) { return MonitorHistory::Clock::time_point(second * 1s); }

std::vector<double> valuesOf(const MonitorHistory& history, const char* series) {
    std::vector<double> values;
    for (const auto& s : history.samples(series)) values.push_back(s.gap() ? -1 : s.value);
    return values;
}

TEST(MonitorHistory, KeepsTheNewestReadingsOfEachSeriesAndGapsStayGaps) {
    MonitorHistory history(3);
    const struct {
        int second;
        const char* series;
        std::optional<double> value;
    } readings[] = {
        {1, "A00", 10}, {2, "A00", 11}, {2, "A01", 5}, {3, "A00", std::nullopt}, {4, "A00", 13}, {5, "A00", 14},
    };
    for (const auto& r : readings) EXPECT_TRUE(history.add(at(r.second), r.series, r.value));
    EXPECT_EQ(valuesOf(history, "A00"), (std::vector<double>{-1, 13, 14}));  // 10 and 11 pushed out
    EXPECT_EQ(valuesOf(history, "A01"), std::vector<double>{5});
    EXPECT_EQ(history.samples("A00").front().millis, 3000);
    EXPECT_EQ(history.oldestMillis("A00"), 3000);
    EXPECT_EQ(history.oldestMillis("A01"), 2000);
    EXPECT_TRUE(history.samples("A02").empty());
    EXPECT_EQ(history.oldestMillis("A02"), std::nullopt);

    std::vector<std::int64_t> fromFour;
    history.forEach("A00", 4000, [&](const MonitorHistory::Sample& s) { fromFour.push_back(s.millis); });
    EXPECT_EQ(fromFour, (std::vector<std::int64_t>{4000, 5000}));
}

TEST(MonitorHistory, TakesEveryPointOfAReadingAndBoundsItsSeriesAndMemory) {
    MonitorHistory history(MonitorHistory::capacityFor(2s));
    EXPECT_EQ(history.capacity(), 14400u);  // 8 h of a reading every 2 s
    ControllerMonitorPage loop;
    loop.measured = "Broken";
    loop.setpoint = "650";
    loop.output = 425;
    EXPECT_TRUE(history.add(at(1), {controllerReading(loop)}));
    EXPECT_EQ(valuesOf(history, "PID1 MV"), std::vector<double>{-1});
    EXPECT_EQ(valuesOf(history, "PID1 SP"), std::vector<double>{650});
    EXPECT_EQ(valuesOf(history, "PID1 OP"), std::vector<double>{42.5});  // percent

    for (std::size_t s = 3; s < MonitorHistory::kMaxSeries; ++s)
        EXPECT_TRUE(history.add(at(2), "X" + std::to_string(s), 1.0));
    EXPECT_FALSE(history.add(at(3), "one too many", 1.0));
    EXPECT_EQ(history.seriesNames().size(), MonitorHistory::kMaxSeries);
    EXPECT_LE(history.bytesUsed(), history.bytesBound());
    EXPECT_LE(history.bytesBound(), 50u << 20);
}

TEST(MonitorReading, ShownNumbers) {
    const struct {
        const char* text;
        std::optional<double> number;
    } cases[] = {{"123.4", 123.4},        {"-7", -7.0},        {"", std::nullopt},    {"Broken", std::nullopt},
                 {"Error", std::nullopt}, {"?", std::nullopt}, {"12x", std::nullopt}, {"nan", std::nullopt}};
    for (const auto& c : cases) EXPECT_EQ(shownNumber(c.text), c.number) << c.text;
}

std::string fileText(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(CsvRecording, WritesTheHeaderAndEachReadingAsItArrives) {
    test::TempDir dir;
    CsvRecording recording;
    ASSERT_TRUE(recording.start(dir.file("kiln.csv")).ok());
    const auto time = std::chrono::system_clock::now();
    const std::vector<MonitorReading> readings{
        {.channel = "A08", .value = "12.5", .status = "0x0040", .detail = "", .points = {}},
        {.channel = "PID1", .value = "MV=1,5 SP=\"2\" OP=", .status = "", .detail = "", .points = {}}};
    ASSERT_TRUE(recording.write(time, readings));
    // Flushed per line: the file holds it while the recording goes on.
    const std::string stamp = isoLocalTime(time);
    EXPECT_EQ(fileText(dir.file("kiln.csv")), "time,channel,value,status\n" + stamp + ",A08,12.5,0x0040\n" + stamp +
                                                  ",PID1,\"MV=1,5 SP=\"\"2\"\" OP=\",\n");
    recording.stop();
    EXPECT_FALSE(recording.write(time, readings));
}

TEST(CsvRecording, AFileThatCannotBeWrittenIsRefusedWhenChosen) {
    test::TempDir dir;
    CsvRecording recording;
    const auto refused = recording.start(dir.file("no-such-folder/kiln.csv"));
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.message().text,
              "Unable to write file " + dir.file("no-such-folder/kiln.csv") + "\nNo such file or directory");
    EXPECT_FALSE(recording.recording());
}

TEST(CsvRecording, AFullDiskStopsTheRecordingWithTheLinesBeforeItKept) {
    test::SmallDisk disk;
    CsvRecording recording;
    ASSERT_TRUE(recording.start(disk.file("kiln.csv")).ok());
    const std::vector<MonitorReading> line{
        {.channel = "A08", .value = std::string(100, '9'), .status = "", .detail = "", .points = {}}};
    int written = 0;
    while (recording.write(std::chrono::system_clock::now(), line)) ++written;
    EXPECT_FALSE(recording.recording());
    EXPECT_GT(written, 10);
    const std::string text = fileText(disk.file("kiln.csv"));
    EXPECT_EQ(text.rfind("time,channel,value,status\n", 0), 0u);
    EXPECT_GE(static_cast<int>(std::count(text.begin(), text.end(), '\n')), written + 1);
}

}  // namespace
}  // namespace zat
