// The traffic window's rows: a table over the traffic ring, read in place,
// so 100,000 rows cost the ring's memory and nothing more. The model takes in
// what the ring gained only when refreshed, so the line never waits for it.
#pragma once

#include "comms/traffic_ring.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>

#include <cstdint>

namespace zat {

class TrafficModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Time, Address, Request, Reply, Ms, Outcome, ColumnCount };

    explicit TrafficModel(const TrafficRing& ring, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Takes in the records the ring gained and lets go of those it dropped.
    void refresh();
    // The record on a row; none once the ring has dropped it (while paused).
    const ExchangeRecord* record(int row) const;

private:
    const TrafficRing& ring_;
    std::uint64_t first_ = 0;  // the ring's number of the first row
    std::uint64_t end_ = 0;    // one past the ring's number of the last row
};

// Every row, or the failures only.
class FailureFilter final : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit FailureFilter(TrafficModel& model, QObject* parent = nullptr);
    void setFailuresOnly(bool failuresOnly);
    bool failuresOnly() const { return failuresOnly_; }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    TrafficModel& model_;
    bool failuresOnly_ = false;
};

}  // namespace zat
