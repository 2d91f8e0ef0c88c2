#include "gui/editors/register_edits.h"

#include "editing/controller_setup.h"
#include "gui/editors/editor_fields.h"

namespace zat {

namespace {

// Room for `characters` wide digits and the frame.
int widthFor(const QLineEdit* edit, int characters) {
    return edit->fontMetrics().horizontalAdvance(QString(characters, QChar('W'))) + 12;
}

}  // namespace

QLineEdit* makeRegisterEdit(QWidget* parent, const QString& objectName) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    edit->setMaxLength(static_cast<int>(kControllerRegisterLength));
    edit->setValidator(new UpperCaseValidator(edit));
    edit->setFixedWidth(widthFor(edit, static_cast<int>(kControllerRegisterLength)));
    return edit;
}

QLineEdit* makeDigitsEdit(QWidget* parent, const QString& objectName, std::size_t limit) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    edit->setMaxLength(static_cast<int>(limit));
    acceptDigitsOnly(edit);
    edit->setAlignment(Qt::AlignRight);
    edit->setFixedWidth(widthFor(edit, 5));
    return edit;
}

}  // namespace zat
