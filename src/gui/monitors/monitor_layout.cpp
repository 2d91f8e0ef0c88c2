#include "gui/monitors/monitor_layout.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QVBoxLayout>

namespace zat {

void layOutMonitor(QWidget& window, QTabBar* tabs, QWidget* body, QWidget* buttons, QWidget* footer) {
    auto* left = new QVBoxLayout;
    left->setSpacing(0);
    if (tabs != nullptr) left->addWidget(tabs);
    left->addWidget(body, 1);
    auto* row = new QHBoxLayout;
    row->addLayout(left, 1);
    row->addSpacing(8);
    row->addWidget(buttons);
    auto* outer = new QVBoxLayout(&window);
    outer->addLayout(row, 1);
    outer->addWidget(footer);
    outer->setSizeConstraint(QLayout::SetFixedSize);
}

QLineEdit* makeValueEdit(QWidget* parent, const QString& name, const QString& widest) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    edit->setAlignment(Qt::AlignRight);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(widest) + 16);
    return edit;
}

void keepPlaceWhenHidden(QWidget* control) {
    QSizePolicy policy = control->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    control->setSizePolicy(policy);
}

QLabel* makeCaption(const QString& text, QWidget* parent) {
    auto* caption = new QLabel(text, parent);
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    return caption;
}

}  // namespace zat
