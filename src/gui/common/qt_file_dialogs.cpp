#include "gui/common/qt_file_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>

namespace zat {

namespace {

QString qtText(const std::string& text) { return QString::fromStdString(text); }

std::optional<std::string> runFileDialog(QWidget* parent, const FileDialogRequest& request, bool saving) {
    QFileDialog dialog(parent, qtText(request.title));
    // Qt's own dialog: it adds the default extension to a name typed without one.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilter(qtText(request.filter));
    dialog.setDefaultSuffix(qtText(request.defaultExtension).toLower());
    dialog.setDirectory(request.initialDirectory.empty() ? QDir::currentPath() : qtText(request.initialDirectory));
    if (saving) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    }
    if (!request.proposedName.empty()) dialog.selectFile(qtText(request.proposedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
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
