#include "gui/common/live_value_widgets.h"

#include "gui/common/accessible_names.h"

#include <QLabel>

namespace zat {

QLabel* makeValueCell(QWidget* parent, const QString& name, const QString& widest) {
    auto* cell = new QLabel(parent);
    cell->setObjectName(name);
    cell->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    cell->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    cell->setMinimumWidth(cell->fontMetrics().horizontalAdvance(widest) + 12);
    return cell;
}

QLabel* makeLinkStatusLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QStringLiteral("linkStatus"));
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->setStyleSheet(QStringLiteral("color: #b00000"));
    showLiveLine(label, {});
    return label;
}

}  // namespace zat
