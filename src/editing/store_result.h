// The result of storing an editor page: stored, or refused at one field.
// Every page is validated in a fixed order; the first bad field stops the
// store, and whatever was stored before it stays stored. The dialog shows
// the message (with its sound) and gives the named field the focus.
#pragma once

#include "userio/field_check.h"

#include <optional>
#include <utility>
#include <variant>

namespace zat {

// The field a refusal names: its row on pages of rows (0 otherwise) and which
// of the row's fields, from the editor's own enum.
template <typename Field>
struct FieldRefusal {
    int row = 0;
    Field field{};
    FieldMessage message;
};

template <typename Field, typename T = std::monostate>
class [[nodiscard]] EditResult {
public:
    static EditResult accept(T value = T{}) { return EditResult(std::move(value)); }
    static EditResult refuse(int row, Field field, FieldMessage message) {
        return EditResult(FieldRefusal<Field>{row, field, std::move(message)});
    }

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& value() const { return *value_; }
    const T& operator*() const { return *value_; }
    // Only when refused.
    const FieldRefusal<Field>& refusal() const { return *refusal_; }

private:
    explicit EditResult(T value) : value_(std::move(value)) {}
    explicit EditResult(FieldRefusal<Field> refusal) : refusal_(std::move(refusal)) {}

    std::optional<T> value_;
    std::optional<FieldRefusal<Field>> refusal_;
};

template <typename Field>
using StoreResult = EditResult<Field>;

}  // namespace zat
