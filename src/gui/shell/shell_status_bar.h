// The main window's status bar: the hint area (menu and tool hints over the
// text of the operation under way) and the two fields that show the last
// request sent to the unit and the last reply received.
#pragma once

#include "userio/traffic.h"
#include "userio/user_io.h"

#include <QStatusBar>

class QLabel;

namespace zat {

class ShellStatusBar final : public QStatusBar, public StatusText, public TrafficObserver {
    Q_OBJECT
public:
    explicit ShellStatusBar(QWidget* parent = nullptr);

    void setStatusText(std::string_view text) override;
    void requestSent(std::string_view request) override;
    void replyReceived(std::string_view reply) override;

    // A lasting note at the right ("Simulated ZAT V2 on /dev/pts/3").
    void setUnitNote(const QString& note);

    // The link's state while monitors poll ("No reply from unit"); empty hides it.
    void setLinkNote(const QString& note);

private:
    QLabel* operation_ = nullptr;
    QLabel* unitNote_ = nullptr;
    QLabel* linkNote_ = nullptr;
    QLabel* request_ = nullptr;  // field 700
    QLabel* reply_ = nullptr;    // field 701
};

}  // namespace zat
