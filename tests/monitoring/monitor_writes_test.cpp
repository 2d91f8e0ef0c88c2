// A write that the unit does not take, in every monitor that writes: the
// user is told as the profiler's "Unable to stop profiler" tells it, and
// the fields show what the unit holds (the New entry and the boxes stay as
// the user left them, for another Apply).
#include "monitor_rig.h"
#include "monitoring/analog_output_monitor.h"
#include "monitoring/controller_monitor.h"
#include "monitoring/digital_monitors.h"

#include <functional>
#include <gtest/gtest.h>

namespace zat {
namespace {

using namespace test;

struct Told {
    std::string text;   // the message; empty when none
    std::string shown;  // the field after the Apply
};

// Each case applies after `lose` has made the write fail: either the unit
// has gone silent (it never got the value), or only the write's reply is
// lost (it holds the value, read back: as if the reply had come).
TEST(MonitorWrites, AWriteTheUnitDoesNotTakeIsToldAndTheFieldsShowWhatItHolds) {
    using Lose = std::function<void()>;
    const struct {
        const char* write;
        std::function<Told(UnitOnPty&, ConfigDatabase&, const Lose&)> apply;
        Told silent, replyLost;
    } cases[] = {
        {"W01B01",
         [](UnitOnPty& rig, ConfigDatabase& db, const Lose& lose) {
             AnalogOutputMonitor monitor(db);
             EXPECT_EQ(monitor.open(rig.protocol), Outcome::Ok);
             monitor.setEntry(1, "5");
             lose();
             const auto told = monitor.apply(rig.protocol);
             EXPECT_EQ(monitor.page().applyEnabled, !told.empty());
             return Told{told.empty() ? "" : told[0].message.text, monitor.page().rows[1].entry};
         },
         {"Unable to set output B01", "5"},
         {"", ""}},
        {"W01J01",
         [](UnitOnPty& rig, ConfigDatabase& db, const Lose& lose) {
             rig.unit.withState([](sim::UnitState& s) {
                 ASSERT_TRUE(s.setItem(1, 'a', 1, 0x80));
                 ASSERT_TRUE(s.setValue('J', 1, 80));
             });
             ControllerMonitor monitor(db);
             EXPECT_EQ(monitor.open(rig.protocol), Outcome::Ok);
             monitor.setTerm(0, "99");
             lose();
             const auto told = monitor.apply(rig.protocol);
             EXPECT_EQ(db.controllers[1].propBand == 99, told.empty());
             return Told{told.empty() ? "" : told[0].message.text, monitor.page().terms[0]};
         },
         {"Unable to set Proportional band, Integral Time, Derivative Time", ""},  // unknown: the unit is silent
         {"", "99"}},
        {"W01H00",
         [](UnitOnPty& rig, ConfigDatabase& db, const Lose& lose) {
             DigitalOutputMonitor monitor(db);
             EXPECT_EQ(monitor.open(rig.protocol), Outcome::Ok);
             monitor.setBox(0, !monitor.page().rows[0].checked);
             const bool chosen = monitor.page().rows[0].checked;
             lose();
             const auto told = monitor.apply(rig.protocol);
             EXPECT_EQ(monitor.page().rows[0].checked, chosen);  // kept for another Apply
             EXPECT_EQ(monitor.page().applyEnabled, told.has_value());
             return Told{told ? told->text : "", monitor.page().rows[0].lamp == chosen ? "lit as chosen" : ""};
         },
         {"Unable to set outputs D00 to D07", ""},
         {"", "lit as chosen"}},
    };
    for (const auto& c : cases) {
        for (const bool silent : {true, false}) {
            sim::FaultPlan faults;
            if (!silent) faults.failRequests({c.write, sim::Fault::Drop});
            UnitOnPty rig({}, {}, patientSettings(), std::move(faults));
            ConfigDatabase database;
            const Told told = c.apply(rig, database, [&] { rig.unit.setSilent(silent); });
            const Told& expected = silent ? c.silent : c.replyLost;
            EXPECT_EQ(told.text, expected.text) << c.write << (silent ? " silent" : " reply lost");
            EXPECT_EQ(told.shown, expected.shown) << c.write << (silent ? " silent" : " reply lost");
        }
    }
}

}  // namespace
}  // namespace zat
