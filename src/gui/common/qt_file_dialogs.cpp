#include "gui/common/qt_file_dialogs.h"

#include "gui/common/text_conversion.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>

namespace zat {

namespace {

std::optional<std::string> runFileDialog(QWidget* parent, const FileDialogRequest& request, bool saving) {
    QFileDialog dialog(parent, toQString(request.title));
    // Qt's own dialog: it adds the default extension to a name typed without one.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilter(toQString(request.filter));
    dialog.setDefaultSuffix(toQString(request.defaultExtension).toLower());
    dialog.setDirectory(request.initialDirectory.empty() ? QDir::currentPath() : toQString(request.initialDirectory));
    if (saving) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    }
    if (!request.proposedName.empty()) dialog.selectFile(toQString(request.proposedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return toUtf8(dialog.selectedFiles().front());
}

}  // namespace

std::optional<std::string> QtFileDialogs::openFileName(const FileDialogRequest& request) {
    return runFileDialog(parent_, request, false);
}

std::optional<std::string> QtFileDialogs::saveFileName(const FileDialogRequest& request) {
    return runFileDialog(parent_, request, true);
}

void OverrideWaitCursor::wait() { QApplication::setOverrideCursor(Qt::WaitCursor); }
void OverrideWaitCursor::arrow() { QApplication::restoreOverrideCursor(); }

}  // namespace zat
