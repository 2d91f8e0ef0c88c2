// The result of an operation that either does what it was asked or does not:
// the unit's exchanges and transfers, and the writing and reading of the
// register, calibration and database files. By the time it is returned the
// user has been told (or beeped at) as the operation does; the caller only
// chooses what to do next. Neither value may be dropped unread; failed() and
// succeeded() read more easily in a condition than a comparison does.
#pragma once

namespace zat {

enum class [[nodiscard]] Outcome{Ok, Failed};

constexpr bool failed(Outcome outcome) { return outcome == Outcome::Failed; }
constexpr bool succeeded(Outcome outcome) { return outcome == Outcome::Ok; }

}  // namespace zat
