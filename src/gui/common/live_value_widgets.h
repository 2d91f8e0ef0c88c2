// The widgets every window that watches the unit shows its readings with: a
// sunken value cell and the "No reply from unit" line.
#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace zat {

// A sunken, right-aligned cell wide enough for `widest`.
QLabel* makeValueCell(QWidget* parent, const QString& name, const QString& widest);

// The bold red line that says "No reply from unit" while the unit is silent
// (named "linkStatus" for the tests); empty and hidden otherwise (showLiveLine).
QLabel* makeLinkStatusLabel(QWidget* parent);

}  // namespace zat
