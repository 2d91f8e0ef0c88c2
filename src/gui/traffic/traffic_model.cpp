#include "gui/traffic/traffic_model.h"

#include "comms/traffic_log.h"
#include "gui/common/text_conversion.h"

#include <QBrush>
#include <QColor>

namespace zat {

namespace {

const QColor kFailureBackground(255, 220, 220);
const QColor kFailureText(160, 0, 0);

QString frameText(const std::string& frame) { return QString::fromLatin1(printableFrame(frame).c_str()); }

}  // namespace

TrafficModel::TrafficModel(const TrafficRing& ring, QObject* parent)
    : QAbstractTableModel(parent), ring_(ring), first_(ring.firstNumber()), end_(ring.nextNumber()) {}

int TrafficModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(end_ - first_);
}

int TrafficModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

const ExchangeRecord* TrafficModel::record(int row) const {
    const std::uint64_t number = first_ + static_cast<std::uint64_t>(row);
    if (row < 0 || number >= end_ || number < ring_.firstNumber() || number >= ring_.nextNumber()) return nullptr;
    return &ring_.at(static_cast<std::size_t>(number - ring_.firstNumber()));
}

QVariant TrafficModel::data(const QModelIndex& index, int role) const {
    const ExchangeRecord* r = record(index.row());
    if (r == nullptr) return {};
    const bool failed = isFailure(r->result);
    switch (role) {
        case Qt::DisplayRole:
            switch (index.column()) {
                case Time:
                    return toQString(wallClockText(r->sentAtMs));
                case Address:
                    return r->address;
                case Request:
                    return frameText(r->request);
                case Reply:
                    return frameText(r->reply);
                case Ms:
                    return r->replyMs;
                case Outcome:
                    return failed ? QString("%1 (try %2 of %3)")
                                        .arg(toQString(resultText(r->result)))
                                        .arg(r->attempt)
                                        .arg(r->attempts)
                                  : toQString(resultText(r->result));
                default:
                    return {};
            }
        case Qt::AccessibleTextRole:
            // A screen reader speaks a cell by its exchange and column: "Exchange 12 Outcome: answered".
            return QString("Exchange %1 %2: %3")
                .arg(static_cast<qulonglong>(first_ + static_cast<std::uint64_t>(index.row()) + 1))
                .arg(headerData(index.column(), Qt::Horizontal, Qt::DisplayRole).toString(),
                     data(index, Qt::DisplayRole).toString());
        case Qt::BackgroundRole:
            return failed ? QBrush(kFailureBackground) : QVariant();
        case Qt::ForegroundRole:
            return failed ? QBrush(kFailureText) : QVariant();
        case Qt::TextAlignmentRole:
            return index.column() == Ms || index.column() == Address ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                                                     : QVariant();
        default:
            return {};
    }
}

QVariant TrafficModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const char* const kTitles[ColumnCount] = {"Time", "Address", "Request", "Reply", "ms", "Outcome"};
    return section >= 0 && section < ColumnCount ? QString(kTitles[section]) : QVariant();
}

void TrafficModel::refresh() {
    const std::uint64_t first = ring_.firstNumber();
    const std::uint64_t end = ring_.nextNumber();
    if (first >= end_ || end < end_) {
        // Cleared, or everything shown has gone: start over.
        beginResetModel();
        first_ = first;
        end_ = end;
        endResetModel();
        return;
    }
    if (first > first_) {
        beginRemoveRows({}, 0, static_cast<int>(first - first_) - 1);
        first_ = first;
        endRemoveRows();
    }
    if (end > end_) {
        beginInsertRows({}, static_cast<int>(end_ - first_), static_cast<int>(end - first_) - 1);
        end_ = end;
        endInsertRows();
    }
}

FailureFilter::FailureFilter(TrafficModel& model, QObject* parent) : QSortFilterProxyModel(parent), model_(model) {
    setSourceModel(&model);
}

void FailureFilter::setFailuresOnly(bool failuresOnly) {
    failuresOnly_ = failuresOnly;
    invalidateRowsFilter();
}

bool FailureFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    if (!failuresOnly_) return true;
    const ExchangeRecord* record = model_.record(sourceRow);
    return record != nullptr && isFailure(record->result);
}

}  // namespace zat
