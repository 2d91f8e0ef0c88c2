// The pieces every monitor window lays out the same way: the tab bar over
// the channel group, the button column at the right, the link status below,
// and the sunken value cells.
#pragma once

#include "gui/common/live_value_widgets.h"  // makeValueCell

#include <QString>

class QLabel;
class QLineEdit;
class QTabBar;
class QWidget;

namespace zat {

// Tabs over `body` at the left, `buttons` at the right, `footer` under both.
void layOutMonitor(QWidget& window, QTabBar* tabs, QWidget* body, QWidget* buttons, QWidget* footer);

// A read-only edit for a value, wide enough for `widest`.
QLineEdit* makeValueEdit(QWidget* parent, const QString& name, const QString& widest);
// A control that keeps its place in the layout while hidden (markers, arrows).
void keepPlaceWhenHidden(QWidget* control);
// A bold column caption.
QLabel* makeCaption(const QString& text, QWidget* parent);

}  // namespace zat
