#include "gui/common/dialog_runner.h"

#include <QDialog>

namespace zat {

int ExecDialogRunner::run(QDialog& dialog) { return dialog.exec(); }

}  // namespace zat
