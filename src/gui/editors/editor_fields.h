// The edits every editor has: a comment edit that takes what the record's
// comment field holds, and number edits typed as a sign and digits.
#pragma once

#include "gui/common/text_conversion.h"
#include "model/comment.h"

#include <QLineEdit>
#include <QString>
#include <QValidator>

#include <cstddef>
#include <string>
#include <string_view>

namespace zat {

// Letters typed into a register or destination edit come out in upper case.
class UpperCaseValidator final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        input = input.toUpper();
        return Acceptable;
    }
};

// The characters a comment holds.
constexpr int kCommentLength = static_cast<int>(Comment::kMaxLength);

// A comment edit: at most 29 characters typed.
QLineEdit* makeCommentEdit(QWidget* parent, const QString& objectName);

// A number edit: only a sign and digits can be typed, at most `limit`
// characters; a loaded value that is longer is shown whole (and refused by
// the range check), never cut.
QLineEdit* makeNumberEdit(QWidget* parent, const QString& objectName, std::size_t limit);
void showNumber(QLineEdit* edit, const std::string& text, std::size_t limit);

// Typing takes the digits 0-9 only.
void acceptDigitsOnly(QLineEdit* edit);

}  // namespace zat
