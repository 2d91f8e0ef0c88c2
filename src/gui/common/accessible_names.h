// The names a screen reader speaks for controls that no label names. A
// grid's cells are named by their row and column ("A03 Type", "Segment 4
// Rate"); a live value by its row and what it shows now ("A03 Broken",
// "D05 on"), so its name changes with the state. Each window keeps its
// column names in one place and passes them here.
#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace zat {

// "A03 Type".
QString cellName(const QString& row, const QString& column);
void nameCell(QWidget* control, const QString& row, const QString& column);

// A live value: `row` and what it shows, `whenBlank` while it shows nothing.
void nameLiveValue(QWidget* value, const QString& row, const QString& shown,
                   const QString& whenBlank = QStringLiteral("blank"));

// A line that only speaks while it has something to say ("No reply from
// unit", the operation under way): hidden while empty, keeping its place.
void showLiveLine(QLabel* line, const QString& text);

}  // namespace zat
