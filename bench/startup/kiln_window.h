// What the window benchmarks share: the main window on the offscreen
// platform, its port on a simulated unit running the demonstration kiln
// (its profilers started) at a given line rate.
#pragma once

#include "failing_prompts.h"
#include "gui/common/message_box_prompts.h"
#include "gui/common/qt_file_dialogs.h"
#include "gui/shell/zat_window.h"
#include "sim/plant_setup.h"
#include "sim/pty_unit.h"

#include <stdexcept>

struct KilnWindow {
    KilnWindow(const char* program, int baudRate, int timeOutMs)
        : unit({}, zat::sim::LineTiming{baudRate, 5}),
          prompts(program),
          window(db, zat::GuiContext{prompts, beep, dialogs, files, cursor, {}}) {
        unit.withState([](zat::sim::UnitState& state) {
            (void)zat::sim::loadPlantSetup(zat::sim::demoPlantText(), state);
            zat::sim::startEnabledProfilers(state);
        });
        unit.start();
        window.link().setOptions(zat::LinkOptions{unit.devicePath(), zat::RtsControl::Manual});
        window.startUp();
        db.comms.address = 1;
        db.comms.baudRate = baudRate;
        db.comms.timeOut = static_cast<std::uint32_t>(timeOutMs);
        db.comms.retries = 2;
        // A benchmark runs unattended: a port that does not open is its failure.
        if (const zat::LinkReason reason = window.link().openPort(db.comms); !reason.ok()) {
            throw std::runtime_error(zat::linkMessage(reason).text);
        }
        window.show();
    }

    zat::sim::PtyUnit unit;
    zat::ConfigDatabase db;
    FailingPrompts prompts;
    zat::SilentBeep beep;
    zat::ExecDialogRunner dialogs;
    zat::QtFileDialogs files;
    zat::NoWaitCursor cursor;
    zat::TZATWindow window;
};
