#include "gui/monitors/analog_input_monitor.h"

#include "gui/common/accessible_names.h"
#include "gui/common/text_conversion.h"
#include "gui/monitors/monitor_layout.h"
#include "gui/monitors/monitor_pictures.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QTabBar>

namespace zat {

TAINMonitor::TAINMonitor(const WindowContext& context)
    : MonitorWindow(context, QStringLiteral("Analogue Input Monitor"), PollTimer::Schedule::Periodic) {
    tabs_ = makeTabs([this](int slot) { engine_.loadPage(context_.protocol, slot); });

    channels_ = new QGroupBox(QStringLiteral("Analogue Input Channels"), this);
    channels_->setObjectName(QStringLiteral("channels"));
    auto* grid = new QGridLayout(channels_);
    grid->setHorizontalSpacing(10);
    grid->addWidget(makeCaption(QStringLiteral("Chan"), channels_), 0, 0);
    grid->addWidget(makeCaption(QStringLiteral("Value"), channels_), 0, 1);
    grid->addWidget(makeCaption(QStringLiteral("Range"), channels_), 0, 3);
    const Marker markers[] = {Marker::Up, Marker::Down, Marker::Third};
    for (int r = 0; r < kAnalogInputRows; ++r) {
        RowWidgets& row = rows_[static_cast<std::size_t>(r)];
        row.name = new QLabel(channels_);
        row.name->setObjectName(QStringLiteral("name%1").arg(r));
        row.value = makeValueCell(channels_, QStringLiteral("value%1").arg(r), QStringLiteral("Broken-3276.8"));
        auto* markerLine = new QHBoxLayout;
        markerLine->setSpacing(1);
        for (std::size_t m = 0; m < row.markers.size(); ++m) {
            row.markers[m] = new QLabel(channels_);
            row.markers[m]->setObjectName(QStringLiteral("marker%1_%2").arg(r).arg(m));
            row.markers[m]->setPixmap(markerPixmap(markers[m]));
            row.markers[m]->setFixedSize(16, 16);
            keepPlaceWhenHidden(row.markers[m]);
            markerLine->addWidget(row.markers[m]);
        }
        row.range = new QLabel(channels_);
        row.range->setObjectName(QStringLiteral("range%1").arg(r));
        row.range->setMinimumWidth(row.range->fontMetrics().horizontalAdvance(QStringLiteral("RTD Pt100 1/10°C__")));
        grid->addWidget(row.name, r + 1, 0);
        grid->addWidget(row.value, r + 1, 1);
        grid->addLayout(markerLine, r + 1, 2);
        grid->addWidget(row.range, r + 1, 3);
    }
    grid->setColumnStretch(3, 1);

    layOutMonitor(*this, tabs_, channels_, makeButtons(kHelpContext), makeLinkStatusLabel());
    showPage();
}

Outcome TAINMonitor::openEngine() {
    const Outcome opened = engine_.open(context_.protocol);
    if (succeeded(opened)) {
        fillTabs(tabs_, slotTabEntries(engine_.page().tabs, QStringLiteral(":/icons/tab_analog_input.svg")),
                 engine_.page().slot);
    }
    return opened;
}

void TAINMonitor::showPage() {
    const AnalogInputMonitorPage& page = engine_.page();
    static const QString markerNames[] = {QStringLiteral("up marker"), QStringLiteral("down marker"),
                                          QStringLiteral("third marker")};
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        const AnalogInputMonitorRow& shown = page.rows[r];
        RowWidgets& row = rows_[r];
        const QString name = toQString(shown.name);
        row.name->setText(name);
        row.value->setText(toQString(shown.value));
        nameLiveValue(row.value, name, row.value->text());  // "A03 Broken"
        row.value->setEnabled(shown.valueKnown);            // greyed "?" until the type is read
        row.range->setText(toQString(shown.range));
        nameLiveValue(row.range, name, row.range->text());
        for (std::size_t m = 0; m < row.markers.size(); ++m) nameCell(row.markers[m], name, markerNames[m]);
        row.markers[0]->setVisible(shown.upMarker);
        row.markers[1]->setVisible(shown.downMarker);
        row.markers[2]->setVisible(shown.thirdMarker);
    }
    showLinkState(channels_);
}

}  // namespace zat
