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
#include "gui/monitors/trend_strip.h"
#include "monitoring/monitor_common.h"
#include "monitoring/monitor_csv.h"
#include "monitoring/monitor_history.h"
#include "userio/outcome.h"

#include <QDialog>
#include <QIcon>

#include <chrono>
#include <functional>
#include <utility>
#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;
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

    // Shows or hides the trend (remembered for the next monitor).
    void showTrend(bool shown);
    // Records every reading to `path` from now on; a file that cannot be
    // written is refused with its message. Stopped by stopRecording or closing.
    [[nodiscard]] bool startRecording(const std::string& path);
    void stopRecording();
    [[nodiscard]] const MonitorHistory& history() const { return history_; }
    [[nodiscard]] TrendStrip* trend() const { return trend_; }
    [[nodiscard]] const CsvRecording& recording() const { return recording_; }
    // The clock the readings are stamped with (a simulated one for pictures).
    void setClock(TrendClock clock);

signals:
    void closeRequested();
    // After every batch: the link's status may have changed.
    void batchEnded();

protected:
    // `readingPeriod`: how often one channel is read, which sizes the history.
    MonitorWindow(const WindowContext& context, const QString& title, PollTimer::Schedule schedule,
                  std::chrono::milliseconds readingPeriod);

    // What each monitor adds: its engine's calls and how a page is shown.
    virtual Outcome openEngine() = 0;
    virtual void tickEngine() = 0;
    virtual void reloadEngine() = 0;  // the page again, after a long operation
    virtual void stopEngine() = 0;    // closing: nothing more is sent
    virtual std::chrono::milliseconds tickInterval() const = 0;
    virtual int ticksPerSweep() const { return 1; }
    virtual void showPage() = 0;
    // What the last poll read, as zatctl watch writes it; and the trend's
    // lines for the page on show.
    virtual std::vector<MonitorReading> polledReadings() const = 0;
    virtual std::vector<TrendLine> trendLines() const = 0;
    // Controllers and profilers poll their loop when its tab is shown.
    virtual bool pollsOnShow() const { return false; }

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
    // Below the page: the trend (hidden unless "Trend" is on), the Trend and
    // Record controls with the recording's mark, and the "No reply from
    // unit" line. The button column at the right.
    QWidget* makeFooter();
    QWidget* makeButtons(int helpContext, QWidget* apply = nullptr);
    // Greys `values` while the unit is silent and shows the status line.
    void showLinkState(QWidget* values);

    // A click on `name` (a row's channel label, which names its series)
    // switches its trend line on or off.
    void toggleTrendOnClick(QWidget* name);
    // Marks the trend of `channel` ("PID1") now: an Apply of new terms.
    void markTrend(const std::string& channel, const std::string& text);

    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

    WindowContext context_;

private:
    // After a batch that polled: the history, the recording and the trend.
    void takeReadings();
    void chooseRecording();
    void showRecording();

    PollTimer* timer_ = nullptr;
    QLabel* linkStatus_ = nullptr;
    MonitorHistory history_;
    CsvRecording recording_;
    TrendClock clock_ = [] { return MonitorHistory::Clock::now(); };
    TrendStrip* trend_ = nullptr;
    QCheckBox* trendShown_ = nullptr;
    QPushButton* record_ = nullptr;
    QLabel* recordMark_ = nullptr;
    bool busy_ = false;
    bool closing_ = false;
};

}  // namespace zat
