// The file dialogs and the wait cursor of the file commands, as Qt shows them.
#pragma once

#include "userio/file_dialogs.h"
#include "userio/wait_cursor.h"

#include <QPointer>
#include <QWidget>

namespace zat {

class QtFileDialogs final : public FileDialogs {
public:
    explicit QtFileDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    std::optional<std::string> openFileName(const FileDialogRequest& request) override;
    std::optional<std::string> saveFileName(const FileDialogRequest& request) override;

private:
    QPointer<QWidget> parent_;
};

class OverrideWaitCursor final : public WaitCursor {
public:
    void wait() override;
    void arrow() override;
};

}  // namespace zat
