// The "Printing" window of a listing of more than one page: the page being
// printed and a Cancel that stops the job before the next page.
#pragma once

#include "printing/print_job.h"

#include <QDialog>

#include <memory>

class QLabel;
class QPushButton;

namespace zat {

class TPrintingWindow final : public QDialog {
    Q_OBJECT
public:
    explicit TPrintingWindow(QWidget* parent);

    void setMessage(const QString& text);
    QString message() const;
    bool cancelled() const { return cancelled_; }

private:
    // Cancel, Escape and the close box: the job ends at the next page and
    // closes the window itself.
    void reject() override;

    QLabel* message_ = nullptr;
    QPushButton* cancel_ = nullptr;
    bool cancelled_ = false;
};

// The core's print progress over TPrintingWindow: show builds the window,
// destroy removes it.
class PrintingWindowProgress final : public PrintProgress {
public:
    explicit PrintingWindowProgress(QWidget* parent) : parent_(parent) {}

    void show() override;
    void setRange(int, int) override {}  // the window names the page; it has no bar
    void setMessage(std::string_view text) override;
    void step() override;
    void destroy() override;
    bool cancelRequested() override;

private:
    QWidget* parent_;
    std::unique_ptr<TPrintingWindow> window_;
};

}  // namespace zat
