#include "cli/watch_output.h"

#include <gtest/gtest.h>

namespace zat::cli {
namespace {

MonitorHistory::Clock::time_point at(int second) {
    return MonitorHistory::Clock::time_point(std::chrono::seconds(second));
}

TEST(WatchTable, SparklinesScaleTheNewestReadingsAndLeaveGapsBlank) {
    MonitorHistory history(100);
    const struct {
        std::vector<std::optional<double>> values;
        std::size_t count;
        const char* line;
    } cases[] = {
        {{0, 7, 3.5, std::nullopt, 7}, 20, "▁█▅ █"},
        {{5, 5, 5}, 20, "▅▅▅"},
        {{1, 2, 3, 4}, 2, "▁█"},
        {{9}, 20, ""},
    };
    int series = 0;
    for (const auto& c : cases) {
        const std::string name = "A0" + std::to_string(series++);
        int second = 0;
        for (const auto& value : c.values) history.add(at(second++), name, value);
        EXPECT_EQ(sparkline(history, name, c.count), c.line) << name;
    }
}

TEST(WatchTable, ATrendColumnAppearsOnceARowHasTwoReadings) {
    MonitorHistory history(100);
    const std::vector<WatchReading> rows{
        {.channel = "A08", .value = "12.5", .status = "0x0040", .detail = "Linear 1V", .points = {{"A08", 12.5}}}};
    history.add(at(1), rows);
    EXPECT_EQ(watchTable("Analog inputs - Slot 2", rows, "", &history),
              "Analog inputs - Slot 2\nChan  Value  Status\nA08   12.5   0x0040  Linear 1V\n");
    history.add(at(2), "A08", 14.0);
    EXPECT_EQ(watchTable("Analog inputs - Slot 2", rows, "", &history),
              "Analog inputs - Slot 2\nChan  Value  Trend  Status\nA08   12.5   ▁█     0x0040  Linear 1V\n");
}

}  // namespace
}  // namespace zat::cli
