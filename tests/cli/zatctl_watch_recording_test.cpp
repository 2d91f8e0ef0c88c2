// A monitor window's recording and `zatctl watch --csv` write the same lines
// for the same readings.
#include "monitoring/monitor_csv.h"
#include "support/run_program.h"
#include "support/temp_dir.h"
#include "support/unit_on_pty.h"

#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>

namespace zat {
namespace {

void setUpUnit(sim::UnitState& s) {
    ASSERT_TRUE(s.setItem(0, 'a', 9, 0x0043));  // thermocouple in tenths
    ASSERT_TRUE(s.setValue('A', 9, 1234));
    s.setBrokenSensor(10, true);
    ASSERT_TRUE(s.setItem(1, 'a', 0, 0x80));
    ASSERT_TRUE(s.setItem(1, 'd', 0, 0x43));  // drives B2; without a setpoint the loop stands still
    ASSERT_TRUE(s.setValue('B', 2, 375));
}

// The lines after the header with the time cut off.
std::vector<std::string> untimed(const std::string& csv) {
    std::vector<std::string> lines;
    std::istringstream in(csv);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line + "\n", kMonitorCsvHeader);
    while (std::getline(in, line)) lines.push_back(line.substr(line.find(',') + 1));
    return lines;
}

// What a window records: the engine driven in this process, each poll's readings written.
using Polls = std::function<void(UnitProtocol&, const std::function<void(std::vector<MonitorReading>)>&)>;

TEST(WatchRecording, AWindowsRecordingEqualsTheWatchLog) {
    const struct {
        std::vector<std::string> watch;
        Polls polls;
    } cases[] = {
        {{"ai", "--slot", "2"},
         [](UnitProtocol& protocol, const auto& record) {
             AnalogInputMonitor monitor;
             ASSERT_TRUE(succeeded(monitor.open(protocol)));
             monitor.loadPage(protocol, 1);
             for (int tick = 0; tick < kAnalogInputRows; ++tick) {
                 monitor.tick(protocol);
                 record({analogInputReading(monitor.page(), monitor.polledRow())});
             }
         }},
        {{"pid"},
         [](UnitProtocol& protocol, const auto& record) {
             ConfigDatabase database;
             ControllerMonitor monitor(database);
             ASSERT_TRUE(succeeded(monitor.open(protocol)));
             record({controllerReading(monitor.page())});
         }},
    };
    for (const auto& c : cases) {
        test::UnitOnPty rig;
        rig.unit.withState(setUpUnit);
        test::TempDir dir;
        CsvRecording recording;
        ASSERT_TRUE(recording.start(dir.file("window.csv")).ok());
        c.polls(rig.protocol, [&](const std::vector<MonitorReading>& readings) {
            EXPECT_TRUE(recording.write(std::chrono::system_clock::now(), readings));
        });
        recording.stop();
        std::ifstream file(dir.file("window.csv"));
        std::stringstream window;
        window << file.rdbuf();

        sim::PtyUnit unit{sim::UnitConfig{}, {}};
        unit.withState(setUpUnit);
        unit.start();
        std::vector<std::string> args{"-q", "watch"};
        args.insert(args.end(), c.watch.begin(), c.watch.end());
        args.insert(args.end(), {"--count", "1", "--csv", "--device", unit.devicePath(), "--timeout-ms", "200"});
        const auto watched = test::runProgram(ZATCTL_PATH, args, dir.path());
        ASSERT_EQ(watched.exitCode, 0) << watched.err;

        const auto lines = untimed(window.str());
        EXPECT_FALSE(lines.empty());
        EXPECT_EQ(lines, untimed(watched.out)) << c.watch.front();
    }
}

}  // namespace
}  // namespace zat
