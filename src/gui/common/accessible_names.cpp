#include "gui/common/accessible_names.h"

#include <QLabel>

namespace zat {

QString cellName(const QString& row, const QString& column) { return row + QLatin1Char(' ') + column; }

void nameCell(QWidget* control, const QString& row, const QString& column) {
    control->setAccessibleName(cellName(row, column));
}

void nameLiveValue(QWidget* value, const QString& row, const QString& shown, const QString& whenBlank) {
    value->setAccessibleName(cellName(row, shown.isEmpty() ? whenBlank : shown));
}

void showLiveLine(QLabel* line, const QString& text) {
    QSizePolicy policy = line->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    line->setSizePolicy(policy);
    line->setText(text);
    line->setVisible(!text.isEmpty());
}

}  // namespace zat
