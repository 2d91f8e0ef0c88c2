// "Compare with Unit" and "Compare with File": the fields in which the unit
// or another database file differs from the database, in a table (group,
// field, and the two values). Against the unit, "Export These" and "Import
// These" move just the selected differences (all of them when none is
// selected).
#pragma once

#include "comms/transfer_groups.h"
#include "gui/common/window_context.h"
#include "userio/outcome.h"
#include "userio/user_io.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

namespace zat {

class UnitComparison;
struct FieldDifference;

enum class CompareSource { Unit, File };

class TCompareDialog : public QDialog {
    Q_OBJECT
public:
    // `ask` gives the file to compare with (Compare with File).
    TCompareDialog(const WindowContext& context, const UserIo& io, CompareSource source,
                   std::function<std::optional<std::string>()> ask = {});
    ~TCompareDialog() override;

    // Reads the unit, or asks for the file and reads it; Failed when there
    // is nothing to show (given up, cancelled, unreadable).
    [[nodiscard]] Outcome start();
    void sweep() {}

private:
    void fill(const std::vector<FieldDifference>& differences);
    std::vector<std::size_t> chosenRows() const;
    void move(TransferDirection direction);

    CompareSource source_;
    std::unique_ptr<UnitComparison> comparison_;
    const UserIo& io_;
    std::function<std::optional<std::string>()> ask_;
    QTableWidget* table_;
    QLabel* summary_;
    QPushButton* exportThese_ = nullptr;
    QPushButton* importThese_ = nullptr;
};

}  // namespace zat
