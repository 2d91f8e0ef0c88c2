#include "gui/common/help_window.h"

#include <QAction>
#include <QTextBrowser>
#include <QToolBar>

#include <utility>

namespace zat {

namespace {

constexpr std::pair<int, const char*> kHelpPages[] = {
    {200, "digital_input_monitor.html"},
    {201, "digital_output_monitor.html"},
    {202, "analog_input_monitor.html"},
    {203, "analog_output_monitor.html"},
    {204, "controller_monitor.html"},
    {205, "digital_input_comments.html"},
    {206, "digital_output_comments.html"},
    {207, "analog_input_setup.html"},
    {208, "analog_output_setup.html"},
    {209, "hot_cold_blocks.html"},
    {210, "if_block_editor.html"},
    {211, "pid_controller_setup.html"},
    {212, "if_block_list.html"},
    {214, "communications_setup.html"},
    {215, "cold_junction_calibration.html"},
    {216, "analog_output_calibration.html"},
    {217, "analog_input_calibration.html"},
    {221, "profile_editor.html"},
    {222, "profiler_monitor.html"},
    {223, "profiler_setup.html"},
};

QUrl helpResource(const char* page) { return QUrl(QStringLiteral("qrc:/help/") + QString::fromLatin1(page)); }

}  // namespace

QUrl helpPageUrl(int context) {
    for (const auto& [number, page] : kHelpPages) {
        if (number == context) return helpResource(page);
    }
    return helpResource("index.html");
}

QUrl helpOnHelpUrl() { return helpResource("using_help.html"); }

HelpWindow::HelpWindow(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("ZAT Setup Help"));

    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("browser"));
    browser_->setAccessibleName(QStringLiteral("Help page"));
    browser_->setOpenLinks(true);
    // Links to the web go to the desktop's browser; the pages' own links stay here.
    browser_->setOpenExternalLinks(true);
    setCentralWidget(browser_);

    QToolBar* tools = addToolBar(QStringLiteral("Navigation"));
    tools->setObjectName(QStringLiteral("navigation"));
    tools->setMovable(false);
    QAction* back = tools->addAction(QStringLiteral("Back"), browser_, &QTextBrowser::backward);
    back->setObjectName(QStringLiteral("back"));
    back->setEnabled(false);
    QAction* forward = tools->addAction(QStringLiteral("Forward"), browser_, &QTextBrowser::forward);
    forward->setObjectName(QStringLiteral("forward"));
    forward->setEnabled(false);
    QAction* contents =
        tools->addAction(QStringLiteral("Contents"), this, [this] { browser_->setSource(helpPageUrl(0)); });
    contents->setObjectName(QStringLiteral("contents"));
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);

    resize(640, 560);
}

void HelpWindow::showPage(const QUrl& page) {
    browser_->setSource(page);
    show();
    raise();
    activateWindow();
}

}  // namespace zat
