#include "gui/monitors/trend_strip.h"

#include "gui/common/gui_context.h"
#include "gui/common/text_conversion.h"
#include "gui/monitors/monitor_settings.h"
#include "model/channel_type.h"  // formatReal
#include "monitoring/monitor_csv.h"
#include "userio/file_dialogs.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QDoubleSpinBox>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <limits>

namespace zat {

namespace {

constexpr double kLaneHeight = 0.6;  // of each lane's 1.0; the rest keeps the lanes apart
constexpr double kOutputTop = 100.0;

const QColor kColours[] = {QColor(0x1f, 0x77, 0xb4), QColor(0xd6, 0x27, 0x28), QColor(0x2c, 0xa0, 0x2c),
                           QColor(0xff, 0x7f, 0x0e), QColor(0x94, 0x67, 0xbd), QColor(0x8c, 0x56, 0x4b),
                           QColor(0xe3, 0x77, 0xc2), QColor(0x17, 0xbe, 0xcf)};

QString spanText(int seconds) {
    return seconds < 3600 ? QStringLiteral("%1 min").arg(seconds / 60) : QStringLiteral("%1 h").arg(seconds / 3600);
}

template <class Widget>
Widget* named(Widget* widget, const char* name, const QString& accessible) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setAccessibleName(accessible);
    return widget;
}

}  // namespace

std::vector<TrendLine> loopTrendLines(const std::string& channel, const char* third, const QString& label,
                                      TrendAxis axis) {
    return {{.series = seriesName(channel, "MV"), .label = QStringLiteral("Measured"), .axis = TrendAxis::Value},
            {.series = seriesName(channel, "SP"), .label = QStringLiteral("Setpoint"), .axis = TrendAxis::Value},
            {.series = seriesName(channel, third), .label = label, .axis = axis}};
}

TrendStrip::TrendStrip(const MonitorHistory& history, const GuiContext& gui, QWidget* parent)
    : QWidget(parent), history_(history), gui_(gui) {
    setObjectName(QStringLiteral("trend"));
    pending_ = new QTimer(this);
    pending_->setSingleShot(true);
    connect(pending_, &QTimer::timeout, this, [this] { refresh(); });
    chart_ = new QChart;
    chart_->legend()->setAlignment(Qt::AlignBottom);
    chart_->setMargins(QMargins(4, 4, 4, 4));
    time_ = new QDateTimeAxis;
    values_ = new QValueAxis;
    output_ = new QValueAxis;
    output_->setLabelFormat(QStringLiteral("%.0f %%"));
    lanes_ = new QCategoryAxis;
    lanes_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    chart_->addAxis(time_, Qt::AlignBottom);
    chart_->addAxis(values_, Qt::AlignLeft);
    chart_->addAxis(output_, Qt::AlignRight);
    chart_->addAxis(lanes_, Qt::AlignLeft);
    view_ = named(new QChartView(chart_, this), "trendChart", QStringLiteral("Trend chart"));
    view_->setRenderHint(QPainter::Antialiasing);
    view_->setMinimumSize(560, 260);

    span_ = named(new QComboBox(this), "trendSpan", QStringLiteral("Time span"));
    for (int seconds : kSpans) span_->addItem(spanText(seconds), seconds);
    const int remembered = monitorSettings().value(QString::fromLatin1(kTrendSpanKey), kSpans[0]).toInt();
    const int index = std::max(0, span_->findData(remembered));
    span_->setCurrentIndex(index);
    spanSeconds_ = span_->currentData().toInt();
    connect(span_, &QComboBox::currentIndexChanged, this, [this](int chosen) { chooseSpan(chosen); });

    pause_ = named(new QPushButton(QStringLiteral("Pause"), this), "trendPause", QStringLiteral("Pause trend"));
    pause_->setCheckable(true);
    pause_->setAutoDefault(false);
    connect(pause_, &QPushButton::toggled, this, [this](bool paused) { setPaused(paused); });
    scroll_ = named(new QScrollBar(Qt::Horizontal, this), "trendScroll", QStringLiteral("Scroll back"));
    scroll_->setEnabled(false);
    connect(scroll_, &QScrollBar::valueChanged, this, [this](int value) {
        if (!pause_->isChecked()) return;
        pausedEnd_ = oldest_ + (static_cast<std::int64_t>(value) + spanSeconds_) * 1000;
        refresh();
    });

    autoScale_ =
        named(new QCheckBox(QStringLiteral("Auto scale"), this), "trendAutoScale", QStringLiteral("Auto scale"));
    autoScale_->setChecked(true);
    low_ = named(new QDoubleSpinBox(this), "trendLow", QStringLiteral("Lowest value shown"));
    high_ = named(new QDoubleSpinBox(this), "trendHigh", QStringLiteral("Highest value shown"));
    for (QDoubleSpinBox* bound : {low_, high_}) {
        bound->setRange(-100000, 100000);
        bound->setDecimals(1);
        bound->setEnabled(false);
        connect(bound, &QDoubleSpinBox::valueChanged, this, [this] { scaleValues(); });
    }
    high_->setValue(100);
    connect(autoScale_, &QCheckBox::toggled, this, [this](bool automatic) {
        low_->setEnabled(!automatic);
        high_->setEnabled(!automatic);
        if (!automatic) {
            low_->setValue(values_->min());
            high_->setValue(values_->max());
        }
        scaleValues();
    });
    export_ = named(new QPushButton(QStringLiteral("E&xport..."), this), "trendExport", QStringLiteral("Export trend"));
    export_->setAutoDefault(false);
    connect(export_, &QPushButton::clicked, this, [this] { exportChart(); });

    auto* controls = new QHBoxLayout;
    controls->addWidget(span_);
    controls->addWidget(pause_);
    controls->addWidget(scroll_, 1);
    controls->addWidget(autoScale_);
    controls->addWidget(low_);
    controls->addWidget(new QLabel(QStringLiteral("to"), this));
    controls->addWidget(high_);
    controls->addWidget(export_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_, 1);
    layout->addLayout(controls);
}

void TrendStrip::setLines(std::vector<TrendLine> lines) {
    markSeries_.clear();
    std::erase_if(lines, [this](const TrendLine& line) {
        if (line.axis == TrendAxis::Marks) markSeries_ = line.series;
        return line.axis == TrendAxis::Marks;
    });
    const bool same = lines.size() == drawn_.size() &&
                      std::equal(lines.begin(), lines.end(), drawn_.begin(), [](const TrendLine& a, const Drawn& b) {
                          return a.series == b.line.series && a.label == b.line.label && a.axis == b.line.axis;
                      });
    if (same) return;
    const bool sameShape = lines.size() == drawn_.size() &&
                           std::equal(lines.begin(), lines.end(), drawn_.begin(),
                                      [](const TrendLine& a, const Drawn& b) { return a.axis == b.line.axis; });
    if (sameShape) {
        // Another page of the same kind: the series are renamed and emptied, not rebuilt.
        for (std::size_t l = 0; l < lines.size(); ++l) {
            Drawn& drawn = drawn_[l];
            drawn.line = std::move(lines[l]);
            drawn.shown = !switchedOff_[drawn.line.series];
            for (QLineSeries* segment : drawn.segments) {
                segment->setName(drawn.line.label);
                segment->clear();
            }
            showLineState(drawn);
            for (std::size_t s = 1; s < drawn.segments.size(); ++s)
                for (QLegendMarker* marker : chart_->legend()->markers(drawn.segments[s])) marker->setVisible(false);
        }
        labelLanes();
        refreshSoon();
        return;
    }
    chart_->removeAllSeries();  // deletes them
    marks_.clear();
    drawn_.clear();
    for (TrendLine& line : lines) {
        const QColor colour = kColours[drawn_.size() % std::size(kColours)];
        const bool shown = !switchedOff_[line.series];
        drawn_.push_back({.line = std::move(line), .colour = colour, .segments = {}, .shown = shown});
    }
    buildSeries();
    refreshSoon();
}

void TrendStrip::buildSeries() {
    bool anyValue = false, anyOutput = false, anyLane = false;
    for (std::size_t l = 0; l < drawn_.size(); ++l) {
        Drawn& drawn = drawn_[l];
        QLineSeries* first = newSegment(drawn);
        anyValue = anyValue || drawn.line.axis == TrendAxis::Value;
        anyOutput = anyOutput || drawn.line.axis == TrendAxis::Output;
        anyLane = anyLane || drawn.line.axis == TrendAxis::Lane;
        // By place: the same series serve the next page of the same kind.
        for (QLegendMarker* marker : chart_->legend()->markers(first))
            connect(marker, &QLegendMarker::clicked, this, [this, l] { toggleLine(drawn_.at(l).line.series); });
        if (!drawn.shown) showLineState(drawn);
    }
    labelLanes();
    values_->setVisible(anyValue);
    output_->setVisible(anyOutput);
    lanes_->setVisible(anyLane);
    chart_->legend()->setVisible(!anyLane);  // the lanes name their channels
}

QLineSeries* TrendStrip::newSegment(Drawn& drawn) {
    auto* series = new QLineSeries;
    series->setName(drawn.line.label);
    QPen pen(drawn.colour);
    pen.setWidthF(drawn.line.axis == TrendAxis::Output ? 1.5 : 2.0);
    if (drawn.line.axis == TrendAxis::Output) pen.setStyle(Qt::DashLine);
    series->setPen(pen);
    chart_->addSeries(series);
    series->attachAxis(time_);
    switch (drawn.line.axis) {
        case TrendAxis::Output:
            series->attachAxis(output_);
            break;
        case TrendAxis::Lane:
            series->attachAxis(lanes_);
            break;
        default:
            series->attachAxis(values_);
            break;
    }
    const bool legend = drawn.segments.empty();
    for (QLegendMarker* marker : chart_->legend()->markers(series)) marker->setVisible(legend);
    drawn.segments.push_back(series);
    return series;
}

void TrendStrip::labelLanes() {
    for (const QString& label : lanes_->categoriesLabels()) lanes_->remove(label);
    lanes_->setStartValue(0);
    int lane = 0;
    for (const Drawn& drawn : drawn_)
        if (drawn.line.axis == TrendAxis::Lane) lanes_->append(drawn.line.label, lane++ + kLaneHeight / 2);
    lanes_->setRange(-0.2, std::max(lane, 1) - 0.2);
}

void TrendStrip::toggleLine(const std::string& series) {
    for (Drawn& drawn : drawn_) {
        if (drawn.line.series != series) continue;
        drawn.shown = !drawn.shown;
        switchedOff_[series] = !drawn.shown;
        showLineState(drawn);
    }
    refresh();
}

void TrendStrip::showLineState(const Drawn& drawn) {
    for (QLineSeries* segment : drawn.segments) segment->setVisible(drawn.shown);
    // A hidden series hides its legend entry too: keep it, greyed, to be clicked again.
    for (QLegendMarker* marker : chart_->legend()->markers(drawn.segments.front())) {
        marker->setVisible(true);
        QColor colour = drawn.colour;
        colour.setAlphaF(drawn.shown ? 1.0 : 0.3);
        marker->setBrush(colour);
        marker->setLabelBrush(drawn.shown ? QBrush(Qt::black) : QBrush(Qt::gray));
    }
}

bool TrendStrip::lineShown(const std::string& series) const {
    for (const Drawn& drawn : drawn_)
        if (drawn.line.series == series) return drawn.shown;
    return false;
}

void TrendStrip::chooseSpan(int index) {
    spanSeconds_ = span_->itemData(index).toInt();
    monitorSettings().setValue(QString::fromLatin1(kTrendSpanKey), spanSeconds_);
    refresh();
}

void TrendStrip::setPaused(bool paused) {
    pausedEnd_ = MonitorHistory::millisOf(clock_());
    scroll_->setEnabled(paused);
    pause_->setText(paused ? QStringLiteral("Follow") : QStringLiteral("Pause"));
    pause_->setAccessibleName(paused ? QStringLiteral("Follow trend") : QStringLiteral("Pause trend"));
    refresh();
}

std::int64_t TrendStrip::windowEnd(std::int64_t now) {
    oldest_ = now;
    for (const Drawn& drawn : drawn_)
        oldest_ = std::min(oldest_, history_.oldestMillis(drawn.line.series).value_or(now));
    const std::int64_t last = pause_->isChecked() ? pausedEnd_ : now;
    const int scrollable = static_cast<int>(std::max<std::int64_t>(0, (now - oldest_) / 1000 - spanSeconds_));
    const QSignalBlocker quiet(scroll_);
    scroll_->setRange(0, scrollable);
    scroll_->setPageStep(spanSeconds_);
    scroll_->setValue(
        static_cast<int>(std::clamp<std::int64_t>((last - oldest_) / 1000 - spanSeconds_, 0, scrollable)));
    return last;
}

void TrendStrip::refreshSoon() {
    if (isHidden() || pending_->isActive()) return;
    const qint64 since = sinceDrawn_.isValid() ? sinceDrawn_.elapsed() : kRefreshMs;
    pending_->start(static_cast<int>(std::max<qint64>(0, kRefreshMs - since)));
}

void TrendStrip::refresh() {
    pending_->stop();
    sinceDrawn_.start();
    if (isHidden()) return;  // the trend is switched off: nothing to draw
    const std::int64_t to = windowEnd(MonitorHistory::millisOf(clock_()));
    const std::int64_t from = to - static_cast<std::int64_t>(spanSeconds_) * 1000;
    time_->setFormat(spanSeconds_ <= 600 ? QStringLiteral("HH:mm:ss") : QStringLiteral("HH:mm"));
    time_->setRange(QDateTime::fromMSecsSinceEpoch(from), QDateTime::fromMSecsSinceEpoch(to));
    for (Drawn& drawn : drawn_) drawLine(drawn, from, to);
    scaleValues();
    drawMarks(from, to);
}

void TrendStrip::drawLine(Drawn& drawn, std::int64_t from, std::int64_t to) {
    // Buckets of the window: a bucket holding a gap is a gap, others their mean.
    const std::int64_t bucket = std::max<std::int64_t>(1, (to - from) / kMaxPoints);
    std::vector<QList<QPointF>> runs(1);
    std::int64_t current = std::numeric_limits<std::int64_t>::min();
    double sum = 0;
    int count = 0;
    bool gap = false;
    const int lane = static_cast<int>(&drawn - drawn_.data()) -
                     static_cast<int>(std::count_if(drawn_.begin(), drawn_.end(), [&](const Drawn& d) {
                         return &d < &drawn && d.line.axis != TrendAxis::Lane;
                     }));
    auto flush = [&] {
        if (count == 0 && !gap) return;
        if (gap) {
            if (!runs.back().isEmpty()) runs.emplace_back();
        } else {
            double y = sum / count;
            if (drawn.line.axis == TrendAxis::Lane) {
                y = lane + (y >= 0.5 ? kLaneHeight : 0.0);
                if (!runs.back().isEmpty())
                    runs.back().append(QPointF(static_cast<double>(current), runs.back().last().y()));
            }
            runs.back().append(QPointF(static_cast<double>(current), y));
        }
        sum = 0;
        count = 0;
        gap = false;
    };
    history_.forEach(drawn.line.series, from, [&](const MonitorHistory::Sample& sample) {
        if (sample.millis > to) return;
        const std::int64_t start = sample.millis - (sample.millis - from) % bucket;
        if (start != current) {
            flush();
            current = start;
        }
        if (sample.gap()) {
            gap = true;
        } else {
            sum += sample.value;
            ++count;
        }
    });
    flush();
    if (runs.back().isEmpty() && runs.size() > 1) runs.pop_back();
    while (drawn.segments.size() < runs.size()) {
        QLineSeries* added = newSegment(drawn);
        added->setVisible(drawn.shown);
    }
    for (std::size_t s = 0; s < drawn.segments.size(); ++s)
        drawn.segments[s]->replace(s < runs.size() ? runs[s] : QList<QPointF>());
}

void TrendStrip::scaleValues() {
    // The output's axis is 0..100 %, widened for an output beyond it.
    double outputLow = 0, outputHigh = kOutputTop;
    for (const Drawn& drawn : drawn_) {
        if (drawn.line.axis != TrendAxis::Output) continue;
        for (const QLineSeries* segment : drawn.segments)
            for (const QPointF& point : segment->points()) {
                outputLow = std::min(outputLow, point.y());
                outputHigh = std::max(outputHigh, point.y());
            }
    }
    output_->setRange(outputLow, outputHigh);
    if (!autoScale_->isChecked()) {
        values_->setRange(std::min(low_->value(), high_->value()), std::max(low_->value(), high_->value()));
        return;
    }
    double low = std::numeric_limits<double>::max(), high = std::numeric_limits<double>::lowest();
    for (const Drawn& drawn : drawn_) {
        if (!drawn.shown || drawn.line.axis != TrendAxis::Value) continue;
        for (const QLineSeries* segment : drawn.segments)
            for (const QPointF& point : segment->points()) {
                low = std::min(low, point.y());
                high = std::max(high, point.y());
            }
    }
    if (low > high) {
        low = 0;
        high = 1;
    }
    const double margin = high > low ? (high - low) * 0.05 : std::max(1.0, std::abs(high) * 0.05);
    values_->setRange(low - margin, high + margin);
    values_->applyNiceNumbers();
}

std::vector<std::int64_t> TrendStrip::markTimes(std::int64_t from, std::int64_t to) const {
    std::vector<std::int64_t> times;
    const std::string channel =
        drawn_.empty() ? std::string() : drawn_.front().line.series.substr(0, drawn_.front().line.series.find(' '));
    for (const MonitorHistory::Mark& mark : history_.marks())
        if (mark.millis >= from && mark.millis <= to && mark.series == channel) times.push_back(mark.millis);
    if (!markSeries_.empty()) {
        std::optional<double> last;
        history_.forEach(markSeries_, from, [&](const MonitorHistory::Sample& sample) {
            if (sample.millis > to || sample.gap()) return;
            if (last && *last != sample.value) times.push_back(sample.millis);
            last = sample.value;
        });
    }
    return times;
}

void TrendStrip::drawMarks(std::int64_t from, std::int64_t to) {
    const std::vector<std::int64_t> times = markTimes(from, to);
    while (marks_.size() < times.size()) {
        auto* mark = new QLineSeries;
        QPen pen(QColor(0x60, 0x60, 0x60));
        pen.setStyle(Qt::DotLine);
        pen.setWidthF(1.5);
        mark->setPen(pen);
        chart_->addSeries(mark);
        mark->attachAxis(time_);
        mark->attachAxis(values_);
        for (QLegendMarker* marker : chart_->legend()->markers(mark)) marker->setVisible(false);
        marks_.push_back(mark);
    }
    for (std::size_t m = 0; m < marks_.size(); ++m) {
        QList<QPointF> points;
        if (m < times.size()) {
            const auto x = static_cast<double>(times[m]);
            points = {QPointF(x, values_->min()), QPointF(x, values_->max())};
        }
        marks_[m]->replace(points);
    }
    shownMarks_ = static_cast<int>(times.size());
}

int TrendStrip::pointCount(const std::string& series) const {
    int points = 0;
    for (const Drawn& drawn : drawn_)
        if (drawn.line.series == series)
            for (const QLineSeries* segment : drawn.segments) points += static_cast<int>(segment->count());
    return points;
}

int TrendStrip::segmentCount(const std::string& series) const {
    for (const Drawn& drawn : drawn_)
        if (drawn.line.series == series)
            return static_cast<int>(std::count_if(drawn.segments.begin(), drawn.segments.end(),
                                                  [](const QLineSeries* s) { return s->count() > 0; }));
    return 0;
}

bool TrendStrip::exportPng(const QString& path) const { return view_->grab().save(path, "PNG"); }

bool TrendStrip::exportCsv(const QString& path) const {
    // The shown window's readings, one line per reading as zatctl watch writes its times.
    const auto to = static_cast<std::int64_t>(time_->max().toMSecsSinceEpoch());
    const auto from = static_cast<std::int64_t>(time_->min().toMSecsSinceEpoch());
    std::string text = "time,series,value\n";
    for (const Drawn& drawn : drawn_) {
        if (!drawn.shown) continue;
        history_.forEach(drawn.line.series, from, [&](const MonitorHistory::Sample& sample) {
            if (sample.millis > to) return;
            text += isoLocalTime(MonitorHistory::Clock::time_point(std::chrono::milliseconds(sample.millis))) + "," +
                    drawn.line.series + "," + (sample.gap() ? std::string() : formatReal(sample.value)) + "\n";
        });
    }
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size()) &&
           file.flush();
}

void TrendStrip::exportChart() {
    const auto path = gui_.files.saveFileName({.title = "Export trend",
                                               .filter = "PNG image (*.png);;CSV file (*.csv)",
                                               .defaultExtension = "png",
                                               .initialDirectory = "",
                                               .proposedName = "trend.png",
                                               .mustExist = false,
                                               .confirmOverwrite = true});
    if (!path) return;
    const QString chosen = toQString(*path);
    const bool csv = chosen.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive);
    if (!(csv ? exportCsv(chosen) : exportPng(chosen)))
        gui_.prompts.show("Unable to write file " + *path, "Error", MessageIcon::Stop, MessageButtons::Ok);
}

}  // namespace zat
