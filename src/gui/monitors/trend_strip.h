// The trend of a monitor: its page's lines drawn from the monitor's history
// over a chosen time span (1 min to 8 h), following the present or paused and
// scrolled back, the value axis scaled to what is shown or set by hand, a
// failed reading left as a gap, marks where terms were applied or a segment
// changed. A line is switched on or off by a click on its legend entry (or
// its row in the monitor); the chart is exported as PNG or its data as CSV.
#pragma once

#include "monitoring/monitor_history.h"

#include <QColor>
#include <QElapsedTimer>
#include <QWidget>

#include <functional>
#include <map>
#include <string>
#include <vector>

class QChart;
class QChartView;
class QCheckBox;
class QComboBox;
class QDateTimeAxis;
class QDoubleSpinBox;
class QLineSeries;
class QPushButton;
class QScrollBar;
class QTimer;
class QValueAxis;
class QCategoryAxis;

namespace zat {

struct GuiContext;

enum class TrendAxis {
    Value,   // the page's values, in the units the monitor shows
    Output,  // a controller's output, 0..100 % on an axis of its own
    Lane,    // a digital channel: an on/off lane of its own
    Marks,   // not drawn: each change of the series is marked (a profiler's segment)
};

// The time now: the wall clock, or a simulated one for pictures and benchmarks.
using TrendClock = std::function<MonitorHistory::Clock::time_point()>;

struct TrendLine {
    std::string series;  // the history's name: "A08", "PID1 MV"
    QString label;       // the legend's: "A08 TC Type K 1/10°C", "Measured"
    TrendAxis axis = TrendAxis::Value;
};

// A loop's lines: "Measured" and "Setpoint" of `channel` ("PID1") on the
// value axis, then its `third` line ("OP" as an output, "Segment" as marks).
[[nodiscard]] std::vector<TrendLine> loopTrendLines(const std::string& channel, const char* third, const QString& label,
                                                    TrendAxis axis);

class TrendStrip final : public QWidget {
    Q_OBJECT
public:
    // The spans offered, in seconds: 1 min, 10 min, 1 h, 8 h.
    static constexpr int kSpans[] = {60, 600, 3600, 8 * 3600};
    // Points drawn per line at most; longer spans are averaged into as many buckets.
    static constexpr int kMaxPoints = 600;
    static constexpr int kRefreshMs = 500;

    TrendStrip(const MonitorHistory& history, const GuiContext& gui, QWidget* parent);

    // The page's lines (a page change); lines switched off stay off when shown again.
    void setLines(std::vector<TrendLine> lines);
    void toggleLine(const std::string& series);
    [[nodiscard]] bool lineShown(const std::string& series) const;
    // Draws what the history holds now.
    void refresh();
    // Draws it in a turn of its own, at most every kRefreshMs: a poll's
    // batch and the drawing never hold the event loop together.
    void refreshSoon();
    void setClock(TrendClock clock) { clock_ = std::move(clock); }

    // What is drawn (tests and pictures): points of a line's segments, its segments, the marks.
    [[nodiscard]] int pointCount(const std::string& series) const;
    [[nodiscard]] int segmentCount(const std::string& series) const;
    [[nodiscard]] int markCount() const { return shownMarks_; }
    [[nodiscard]] QChartView* view() const { return view_; }

    [[nodiscard]] bool exportPng(const QString& path) const;
    [[nodiscard]] bool exportCsv(const QString& path) const;

private:
    struct Drawn {
        TrendLine line;
        QColor colour;
        std::vector<QLineSeries*> segments;  // a gap starts a new one
        bool shown = true;
    };

    void chooseSpan(int index);
    void setPaused(bool paused);
    void exportChart();
    void buildSeries();
    void drawLine(Drawn& drawn, std::int64_t from, std::int64_t to);
    void drawMarks(std::int64_t from, std::int64_t to);
    void scaleValues();
    [[nodiscard]] std::int64_t windowEnd(std::int64_t now);
    [[nodiscard]] std::vector<std::int64_t> markTimes(std::int64_t from, std::int64_t to) const;
    QLineSeries* newSegment(Drawn& drawn);
    void showLineState(const Drawn& drawn);
    void labelLanes();

    const MonitorHistory& history_;
    const GuiContext& gui_;
    TrendClock clock_ = [] { return MonitorHistory::Clock::now(); };
    QChart* chart_ = nullptr;
    QChartView* view_ = nullptr;
    QDateTimeAxis* time_ = nullptr;
    QValueAxis* values_ = nullptr;
    QValueAxis* output_ = nullptr;
    QCategoryAxis* lanes_ = nullptr;
    QComboBox* span_ = nullptr;
    QPushButton* pause_ = nullptr;
    QScrollBar* scroll_ = nullptr;
    QCheckBox* autoScale_ = nullptr;
    QDoubleSpinBox* low_ = nullptr;
    QDoubleSpinBox* high_ = nullptr;
    QPushButton* export_ = nullptr;

    QTimer* pending_ = nullptr;
    QElapsedTimer sinceDrawn_;
    std::vector<Drawn> drawn_;
    std::string markSeries_;
    std::map<std::string, bool> switchedOff_;  // by series, across pages
    std::vector<QLineSeries*> marks_;
    int shownMarks_ = 0;
    int spanSeconds_ = kSpans[0];
    std::int64_t pausedEnd_ = 0;  // the window's end while paused
    std::int64_t oldest_ = 0;     // the oldest reading shown by the scroll bar
};

}  // namespace zat
