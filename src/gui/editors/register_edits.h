// The small edits of the controller and profiler editors: register fields,
// three characters forced to upper case as they are typed, and term fields
// that take digits only.
#pragma once

#include <QLineEdit>

#include <cstddef>
#include <string>

namespace zat {

QLineEdit* makeRegisterEdit(QWidget* parent, const QString& objectName);
// At most `limit` digits typed; a longer loaded value is shown whole.
QLineEdit* makeDigitsEdit(QWidget* parent, const QString& objectName, std::size_t limit);

}  // namespace zat
