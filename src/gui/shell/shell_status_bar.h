// The main window's status bar: the hint area (menu and tool hints over the
// text of the operation under way) and the two fields that show the last
// request sent to the unit and the last reply received, whose tool tip gives
// the link statistics.
#pragma once

#include "userio/traffic.h"
#include "userio/user_io.h"

#include <QStatusBar>

class QLabel;

namespace zat {

class LinkStatistics;

class ShellStatusBar final : public QStatusBar, public StatusText, public TrafficObserver {
    Q_OBJECT
public:
    explicit ShellStatusBar(QWidget* parent = nullptr);

    void setStatusText(std::string_view text) override;
    void exchanged(const ExchangeRecord& record) override;

    // The statistics the traffic fields' tool tip shows; none: no tool tip.
    void setStatistics(const LinkStatistics* statistics) { statistics_ = statistics; }
    QString trafficToolTip() const;

    // A lasting note at the right ("Simulated ZAT V2 on /dev/pts/3").
    void setUnitNote(const QString& note);

    // The link's state while monitors poll ("No reply from unit"); empty hides it.
    void setLinkNote(const QString& note);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const LinkStatistics* statistics_ = nullptr;
    QLabel* operation_ = nullptr;
    QLabel* unitNote_ = nullptr;
    QLabel* linkNote_ = nullptr;
    QLabel* request_ = nullptr;  // field 700
    QLabel* reply_ = nullptr;    // field 701
};

}  // namespace zat
