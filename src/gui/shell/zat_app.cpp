#include "gui/shell/zat_app.h"

#include "gui/shell/embedded_unit.h"
#include "gui/shell/zat_window.h"

#include <QGuiApplication>
#include <QScreen>

#include <cstdio>

namespace zat {

TZATApp::TZATApp(const AppOptions& options, TrafficObserver* trafficLog) {
    if (options.database) db_.setCurrentFile(*options.database);
    if (options.exitWhenShown) prompts_.setUnattended(stderr);
    if (options.simulate) simulated_ = std::make_unique<EmbeddedUnit>();
    window_ =
        std::make_unique<TZATWindow>(db_, GuiContext{prompts_, beep_, dialogs_, files_, cursor_, {}}, simulated_.get());
    if (trafficLog != nullptr) window_->addTrafficObserver(trafficLog);
    prompts_.setParent(window_.get());
    files_.setParent(window_.get());
    if (QScreen* screen = QGuiApplication::primaryScreen()) window_->resize(screen->availableGeometry().size());
    window_->show();
}

TZATApp::~TZATApp() {
    // The window closes the port before the unit behind it goes.
    window_.reset();
    simulated_.reset();
}

}  // namespace zat
