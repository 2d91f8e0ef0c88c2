// "Find Units": looks for the units on the line (addresses and baud rates
// to try), lists each one that answers with its cards, and a double-click
// on one takes its address and rate into the communication settings.
#pragma once

#include "comms/bus_scan.h"
#include "gui/common/window_context.h"
#include "userio/outcome.h"
#include "userio/user_io.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace zat {

class TFindUnits : public QDialog {
    Q_OBJECT
public:
    TFindUnits(const WindowContext& context, const UserIo& io);

    [[nodiscard]] Outcome start() { return Outcome::Ok; }
    // For a picture: one search with the entries as they are.
    void sweep() { find(); }

    // Scans with the entries; a bad list of addresses is refused first.
    void find();
    // Takes the unit in `row` into the settings and closes the dialog.
    void choose(int row);
    // Whether a unit was chosen (the settings then changed).
    bool chosen() const { return chosen_; }

private:
    std::vector<int> baudRates() const;

    WindowContext context_;
    const UserIo& io_;
    QLineEdit* addresses_;
    QComboBox* baud_;
    QTableWidget* found_;
    QLabel* summary_;
    std::vector<FoundUnit> units_;
    bool chosen_ = false;
};

}  // namespace zat
