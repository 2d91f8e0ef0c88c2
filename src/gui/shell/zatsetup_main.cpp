// zatsetup: the ZAT V2 setup utility's window.
#include "commands/app_options.h"
#include "comms/traffic_log.h"
#include "gui/printing/print_without_window.h"
#include "gui/shell/zat_app.h"
#include "gui/shell/zat_window.h"

#include <QApplication>
#include <QGuiApplication>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <memory>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    const zat::AppOptionsResult parsed = zat::parseAppOptions(args);
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "zatsetup: %s\n%s", parsed.error.c_str(), zat::appUsage().c_str());
        return 2;
    }
    if (parsed.options.help) {
        std::fputs(zat::appUsage().c_str(), stdout);
        return 0;
    }
    if (parsed.options.version) {
        std::printf("zatsetup %s\n", ZAT_VERSION);
        return 0;
    }
    const auto noDisplay =
        zat::noDisplayMessage(std::getenv("QT_QPA_PLATFORM"), std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"));
    if (parsed.options.print) {
        // No window: the offscreen platform serves the fonts where no display is.
        if (noDisplay) qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication application(argc, argv);
        return zat::printWithoutWindow(parsed.options, stderr);
    }
    if (noDisplay) {
        std::fprintf(stderr, "%s\n", noDisplay->c_str());
        return 1;
    }

    // An unwritable log is refused before anything is shown.
    std::unique_ptr<zat::TrafficLogFile> trafficLog;
    if (parsed.options.logFile) {
        std::string error;
        trafficLog = zat::TrafficLogFile::open(*parsed.options.logFile, error);
        if (!trafficLog) {
            std::fprintf(stderr, "zatsetup: %s\n", error.c_str());
            return 2;
        }
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName("zatsetup");
    QApplication::setApplicationVersion(ZAT_VERSION);
    QApplication::setDesktopFileName("zatsetup");
    zat::TZATApp zat(parsed.options, trafficLog.get());
    if (parsed.options.exitWhenShown) {
        QObject::connect(&zat.window(), &zat::TZATWindow::startUpFinished, &application, [] {
            // Once the first paint after the start-up is through.
            QTimer::singleShot(0, [] {
                std::puts("shown");
                std::fflush(stdout);
                QApplication::quit();
            });
        });
    }
    return QApplication::exec();
}
