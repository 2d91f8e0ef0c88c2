// The traffic window (Communications > Traffic): every exchange with the unit
// as a row, failures marked, and the link statistics per unit address.
// Modeless, one instance, kept by the main window. It reads the ring and the
// statistics the protocol's records fill; a timer takes in the new rows, so
// the line never waits for the window.
#pragma once

#include "comms/link_statistics.h"
#include "comms/traffic_ring.h"
#include "gui/common/gui_context.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QTableView;
class QTimer;

namespace zat {

class FailureFilter;
class TrafficModel;

class TrafficWindow final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 240;
    // Each refresh repaints the rows between two exchanges; twice a second
    // keeps a transfer's time within 3 % of its time with the window closed.
    static constexpr int kRefreshMs = 500;

    TrafficWindow(TrafficRing& ring, LinkStatistics& statistics, const GuiContext& gui, QWidget* parent = nullptr);

    // Takes in what the ring gained (unless paused) and shows the statistics;
    // follows the newest row unless the user scrolled up.
    void refresh();
    // Asks for a file and writes the rows shown to it: CSV for a name ending
    // in .csv, the log's lines otherwise.
    void save();

    TrafficModel& model() { return *model_; }
    FailureFilter& filter() { return *filter_; }

    // Forgets every exchange held (Clear).
    void clear();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void showStatistics();

    TrafficRing& ring_;
    LinkStatistics& statistics_;
    GuiContext gui_;
    TrafficModel* model_ = nullptr;
    FailureFilter* filter_ = nullptr;
    QTableView* view_ = nullptr;
    QCheckBox* pause_ = nullptr;
    QLabel* statisticsText_ = nullptr;
    QTimer* timer_ = nullptr;
};

}  // namespace zat
