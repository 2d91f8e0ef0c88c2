// How a modal dialog is run. The program execs it; the tests fill it in and
// press its buttons instead, so no test waits on a real modal loop.
#pragma once

class QDialog;

namespace zat {

class DialogRunner {
public:
    virtual ~DialogRunner() = default;
    // QDialog::Accepted or QDialog::Rejected.
    virtual int run(QDialog& dialog) = 0;
};

class ExecDialogRunner final : public DialogRunner {
public:
    int run(QDialog& dialog) override;
};

}  // namespace zat
