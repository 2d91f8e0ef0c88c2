// How long each window a command opens takes to come up: from the command to
// the window painted, with the demo plant loaded, on the offscreen platform.
// Every command of the table that opens a window is timed, so new windows
// are measured without a change here.
//
// usage: bench_window_open [RUNS]   (default 30)
#include "failing_prompts.h"
#include "gui/common/message_box_prompts.h"
#include "gui/common/qt_file_dialogs.h"
#include "gui/editors/if_block_editor.h"
#include "gui/shell/command_table.h"
#include "gui/shell/embedded_unit.h"
#include "gui/shell/zat_window.h"

#include <QApplication>
#include <QDialog>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Shows the dialog, paints it once, notes the time and closes it unchanged.
class TimingRunner final : public zat::DialogRunner {
public:
    Clock::time_point shownAt{};
    int run(QDialog& dialog) override {
        dialog.show();
        dialog.repaint();
        shownAt = Clock::now();
        dialog.hide();
        return QDialog::Rejected;
    }
};

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;

    zat::ConfigDatabase db;
    db.setCurrentFile(ZAT_SOURCE_DIR "/examples/demo-plant.zat");
    FailingPrompts prompts("bench_window_open");
    zat::SilentBeep beep;
    TimingRunner dialogs;
    zat::QtFileDialogs files;
    zat::NoWaitCursor cursor;
    zat::EmbeddedUnit simulated;
    zat::TZATWindow window(db, zat::GuiContext{prompts, beep, dialogs, files, cursor, {}}, &simulated);
    window.show();
    window.startUp();
    QApplication::processEvents();

    std::printf("%-28s %8s %8s %8s  (ms, %d runs, command to window painted)\n", "window", "min", "median", "max",
                runs);
    auto report = [runs](const char* name, auto open) {
        std::vector<double> times;
        for (int i = 0; i < runs; ++i) {
            times.push_back(open());
            QApplication::processEvents();
        }
        std::sort(times.begin(), times.end());
        std::printf("%-28s %8.2f %8.2f %8.2f\n", name, times.front(), times[times.size() / 2], times.back());
    };
    for (const zat::CommandInfo& command : zat::commandInfos()) {
        // Monitors are modeless and poll: bench_monitor_poll measures them.
        if (command.action.makeWindow == nullptr || command.action.pictureName == nullptr || command.action.monitor) {
            continue;
        }
        report(command.action.pictureName, [&] {
            const Clock::time_point start = Clock::now();
            window.runCommand(command.id);
            return std::chrono::duration<double, std::milli>(dialogs.shownAt - start).count();
        });
    }
    // The IF block editor opens from the IF block list's Edit, on the block chosen.
    report("if_block_editor", [&] {
        const Clock::time_point start = Clock::now();
        zat::TAlSetup editor(window.windowContext(), 0);
        dialogs.run(editor);
        return std::chrono::duration<double, std::milli>(dialogs.shownAt - start).count();
    });
    return 0;
}
