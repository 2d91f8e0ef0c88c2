#include "gui/editors/editor_fields.h"

#include "editing/entry_text.h"

#include <QValidator>

namespace zat {

namespace {

// Typing accepts a sign and digits only; whatever was loaded stays as it is.
class SignedDigitsValidator final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override { return isSignedDigits(toUtf8(input)) ? Acceptable : Invalid; }
};

class DigitsValidator final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override { return isDigits(toUtf8(input)) ? Acceptable : Invalid; }
};

}  // namespace

QLineEdit* makeCommentEdit(QWidget* parent, const QString& objectName) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    edit->setMaxLength(kCommentLength);
    return edit;
}

QLineEdit* makeNumberEdit(QWidget* parent, const QString& objectName, std::size_t limit) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    edit->setMaxLength(static_cast<int>(limit));
    edit->setValidator(new SignedDigitsValidator(edit));
    return edit;
}

void acceptDigitsOnly(QLineEdit* edit) { edit->setValidator(new DigitsValidator(edit)); }

void showNumber(QLineEdit* edit, const std::string& text, std::size_t limit) {
    // A validator would refuse a loaded text it cannot type; the limit grows to show it whole.
    edit->setMaxLength(static_cast<int>(editLength(text, limit)));
    edit->setText(toQString(text));
}

}  // namespace zat
