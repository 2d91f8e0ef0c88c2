// What the monitor windows share: modeless, polling on a PollTimer, every
// exchange inside a LinkBatch, the "No reply from unit" line, and the close
// request. A monitor never destroys itself: Escape, the close box or a
// failed opening hide it at once and ask the main window to destroy it,
// which waits until a batch under way has ended. Escape and the close box
// act in the middle of the monitor's own batch too: nothing more is sent. Like the calibration dialogs
// a monitor is opened against the unit before it is shown.
#pragma once

#include "gui/common/poll_timer.h"
#include "gui/common/window_context.h"
#include "monitoring/monitor_common.h"
#include "userio/outcome.h"

#include <QDialog>
#include <QIcon>

#include <chrono>
#include <functional>
#include <utility>
#include <vector>

class QLabel;
class QTabBar;

namespace zat {

class MonitorWindow : public QDialog {
    Q_OBJECT
public:
    // Opens the engine against the unit, shows the first page and starts
    // polling; the window is shown only after that succeeded. Failed (or
    // closed meanwhile): the close request has been sent.
    Outcome start();
    // Polls every row of the page once, at once (the pictures and tests use it).
    void sweep();
    // Hides the window and asks to be destroyed once no batch is under way.
    void requestClose();

    bool busy() const { return busy_; }
    bool closing() const { return closing_; }
    // "No reply from unit" while the unit is silent, empty otherwise.
    QString linkStatus() const;

signals:
    void closeRequested();
    // After every batch: the link's status may have changed.
    void batchEnded();

protected:
    MonitorWindow(const WindowContext& context, const QString& title, PollTimer::Schedule schedule);

    // What each monitor adds: its engine's calls and how a page is shown.
    virtual Outcome openEngine() = 0;
    virtual void tickEngine() = 0;
    virtual void reloadEngine() = 0;  // the page again, after a long operation
    virtual void stopEngine() = 0;    // closing: nothing more is sent
    virtual std::chrono::milliseconds tickInterval() const = 0;
    virtual int ticksPerSweep() const { return 1; }
    virtual void showPage() = 0;

    // Runs exchanges with the unit as one batch, then shows the page.
    void runBatch(const std::function<void()>& exchanges);
    // The tab bar, filled from the engine's tabs once opened; a change of tab
    // runs `select` as a batch.
    QTabBar* makeTabs(const std::function<void(int tab)>& select);
    // Fills the tab bar once the engine has opened, without a page load.
    void fillTabs(QTabBar* tabs, const std::vector<std::pair<QIcon, QString>>& entries, int current);
    // Tabs of loops (controllers, profilers) as the engine lists them: filled
    // at opening, and a loop found later inserted in its place.
    static void showLoopTabs(QTabBar* tabs, const QIcon& icon, const std::vector<QString>& titles);
    // The entries of slot tabs: the resource's picture, greyed for a dark tab.
    static std::vector<std::pair<QIcon, QString>> slotTabEntries(const std::vector<MonitorTab>& tabs,
                                                                 const QString& icon);
    // The "No reply from unit" line and the button column at the right.
    QLabel* makeLinkStatusLabel();
    QWidget* makeButtons(int helpContext, QWidget* apply = nullptr);
    // Greys `values` while the unit is silent and shows the status line.
    void showLinkState(QWidget* values);

    void reject() override;
    void closeEvent(QCloseEvent* event) override;

    WindowContext context_;

private:
    PollTimer* timer_ = nullptr;
    QLabel* linkStatus_ = nullptr;
    bool busy_ = false;
    bool closing_ = false;
};

}  // namespace zat
