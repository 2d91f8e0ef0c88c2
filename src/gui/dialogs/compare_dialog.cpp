#include "gui/dialogs/compare_dialog.h"

#include "commands/unit_comparison.h"
#include "gui/common/accessible_names.h"
#include "gui/common/dialog_buttons.h"
#include "gui/common/text_conversion.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace zat {

namespace {

// Named by its row's field and its column, as a screen reader speaks it.
QTableWidgetItem* cell(const std::string& text, const QString& row, const QString& column) {
    auto* item = new QTableWidgetItem(toQString(text));
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    item->setData(Qt::AccessibleTextRole, cellName(row, column) + QStringLiteral(": ") + item->text());
    return item;
}

}  // namespace

TCompareDialog::TCompareDialog(const WindowContext& context, const UserIo& io, CompareSource source,
                               std::function<std::optional<std::string>()> ask)
    : QDialog(context.parent),
      source_(source),
      comparison_(std::make_unique<UnitComparison>(context.db, context.protocol, io, context.image)),
      io_(io),
      ask_(std::move(ask)),
      table_(new QTableWidget(0, 4, this)),
      summary_(new QLabel(this)) {
    const bool unit = source == CompareSource::Unit;
    setWindowTitle(unit ? QStringLiteral("Compare with Unit") : QStringLiteral("Compare with File"));
    table_->setObjectName(QStringLiteral("differences"));
    table_->setHorizontalHeaderLabels({QStringLiteral("Group"), QStringLiteral("Field"), QStringLiteral("File"),
                                       unit ? QStringLiteral("Unit") : QStringLiteral("Other file")});
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setMinimumSize(560, 300);
    summary_->setObjectName(QStringLiteral("summary"));
    summary_->setAccessibleName(QStringLiteral("Result"));

    auto* column = new QVBoxLayout;
    column->addWidget(summary_);
    column->addWidget(table_);
    if (unit) {
        exportThese_ = new QPushButton(QStringLiteral("E&xport These"), this);
        exportThese_->setObjectName(QStringLiteral("exportThese"));
        importThese_ = new QPushButton(QStringLiteral("I&mport These"), this);
        importThese_->setObjectName(QStringLiteral("importThese"));
        connect(exportThese_, &QPushButton::clicked, this, [this] { move(TransferDirection::Export); });
        connect(importThese_, &QPushButton::clicked, this, [this] { move(TransferDirection::Import); });
        auto* actions = new QHBoxLayout;
        actions->addWidget(exportThese_);
        actions->addWidget(importThese_);
        actions->addStretch();
        column->addLayout(actions);
    }
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(column);
    layout->addWidget(makeDialogButtons(*this, nullptr, DialogButtons{QStringLiteral("&Close"), 0, false}));
}

TCompareDialog::~TCompareDialog() = default;

Outcome TCompareDialog::start() {
    if (source_ == CompareSource::Unit) {
        if (comparison_->read() == TransferOutcome::GaveUp) return Outcome::Failed;
        fill(comparison_->differences());
        return Outcome::Ok;
    }
    const std::optional<std::string> path = ask_ ? ask_() : std::nullopt;
    if (!path) return Outcome::Failed;
    const auto differences = compareWithFile(comparison_->database(), *path, io_);
    if (!differences) return Outcome::Failed;
    setWindowTitle(QStringLiteral("Compare with File - %1").arg(toQString(*path)));
    fill(*differences);
    return Outcome::Ok;
}

void TCompareDialog::fill(const std::vector<FieldDifference>& differences) {
    // A selection of rows that were moved must not choose the rows that move up.
    table_->clearSelection();
    table_->setRowCount(static_cast<int>(differences.size()));
    for (int row = 0; row < table_->rowCount(); ++row) {
        const FieldDifference& d = differences[static_cast<std::size_t>(row)];
        const QString field = toQString(d.section + ": " + d.key);
        table_->setItem(row, 0, cell(groupTitle(d.group), field, QStringLiteral("group")));
        table_->setItem(row, 1, cell(d.section + ": " + d.key, field, QStringLiteral("field")));
        table_->setItem(row, 2, cell(d.first, field, QStringLiteral("file")));
        table_->setItem(row, 3, cell(d.second, field, table_->horizontalHeaderItem(3)->text().toLower()));
    }
    table_->resizeColumnsToContents();
    const std::size_t n = differences.size();
    const bool unit = source_ == CompareSource::Unit;
    summary_->setText(n == 0 ? (unit ? QStringLiteral("The unit holds what the database says.")
                                     : QStringLiteral("The files hold the same configuration."))
                             : QStringLiteral("%1 field(s) differ.").arg(n));
    if (exportThese_ != nullptr) exportThese_->setEnabled(n > 0);
    if (importThese_ != nullptr) importThese_->setEnabled(n > 0);
}

std::vector<std::size_t> TCompareDialog::chosenRows() const {
    std::vector<std::size_t> rows;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows())
        rows.push_back(static_cast<std::size_t>(index.row()));
    if (rows.empty())
        for (int row = 0; row < table_->rowCount(); ++row) rows.push_back(static_cast<std::size_t>(row));
    return rows;
}

void TCompareDialog::move(TransferDirection direction) {
    const std::vector<std::size_t> rows = chosenRows();
    (void)(direction == TransferDirection::Export ? comparison_->exportThese(rows) : comparison_->importThese(rows));
    fill(comparison_->differences());
}

}  // namespace zat
