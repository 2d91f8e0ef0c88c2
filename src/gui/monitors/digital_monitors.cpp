#include "gui/monitors/digital_monitors.h"

#include "gui/common/accessible_names.h"
#include "gui/common/field_refusal.h"
#include "gui/common/text_conversion.h"
#include "gui/monitors/monitor_layout.h"
#include "gui/monitors/monitor_pictures.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>

namespace zat {

TDigitalMonitor::TDigitalMonitor(const WindowContext& context, const Kind& kind, std::unique_ptr<DigitalMonitor> engine)
    : MonitorWindow(context, kind.title, PollTimer::Schedule::Periodic), kind_(kind), engine_(std::move(engine)) {
    tabs_ = makeTabs([this](int group) { engine_->loadPage(context_.protocol, group); });

    channels_ = new QGroupBox(kind.group, this);
    channels_->setObjectName(QStringLiteral("channels"));
    auto* grid = new QGridLayout(channels_);
    grid->setHorizontalSpacing(12);
    grid->addWidget(makeCaption(QStringLiteral("Chan"), channels_), 0, 0);
    grid->addWidget(makeCaption(QStringLiteral("Status"), channels_), 0, 1);
    grid->addWidget(makeCaption(QStringLiteral("Comment"), channels_), 0, 2);
    const int commentWidth = fontMetrics().horizontalAdvance(QString(30, QChar('M'))) * 3 / 4;
    for (int r = 0; r < kDigitalRows; ++r) {
        RowWidgets& row = rows_[static_cast<std::size_t>(r)];
        row.name = new QLabel(channels_);
        row.name->setObjectName(QStringLiteral("name%1").arg(r));
        row.lamp = new Lamp(kind.outputs ? LampColour::Red : LampColour::Green, channels_);
        row.lamp->setObjectName(QStringLiteral("lamp%1").arg(r));
        QWidget* comment = nullptr;
        if (kind.outputs) {
            row.box = new QCheckBox(channels_);
            row.box->setObjectName(QStringLiteral("box%1").arg(r));
            connect(row.box, &QCheckBox::clicked, this, [this, r](bool checked) {
                outputs().setBox(r, checked);
                apply_->setEnabled(engine_->page().applyEnabled);
            });
            comment = row.box;
        } else {
            row.comment = new QLabel(channels_);
            row.comment->setObjectName(QStringLiteral("comment%1").arg(r));
            comment = row.comment;
        }
        comment->setMinimumWidth(commentWidth);
        grid->addWidget(row.name, r + 1, 0);
        grid->addWidget(row.lamp, r + 1, 1, Qt::AlignCenter);
        grid->addWidget(comment, r + 1, 2);
    }
    grid->setColumnStretch(2, 1);

    if (kind.outputs) {
        apply_ = new QPushButton(QStringLiteral("&Apply"), this);
        apply_->setObjectName(QStringLiteral("apply"));
        apply_->setEnabled(false);
        connect(apply_, &QPushButton::clicked, this, [this] {
            std::optional<FieldMessage> problem;
            runBatch([&] { problem = outputs().apply(context_.protocol); });
            if (problem) refuseField(*problem, nullptr, context_.gui);
        });
    }
    layOutMonitor(*this, tabs_, channels_, makeButtons(kind.helpContext, apply_), makeLinkStatusLabel());
    showPage();
}

Outcome TDigitalMonitor::openEngine() {
    const Outcome opened = engine_->open(context_.protocol);
    if (succeeded(opened)) fillTabs(tabs_, slotTabEntries(engine_->page().tabs, kind_.icon), engine_->page().group);
    return opened;
}

void TDigitalMonitor::showPage() {
    const DigitalMonitorPage& page = engine_->page();
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        const DigitalMonitorRow& shown = page.rows[r];
        RowWidgets& row = rows_[r];
        const QString name = toQString(shown.name);
        row.name->setText(name);
        row.lamp->setCaption(name);  // "D05 on"
        row.lamp->setLit(shown.lamp);
        const QString comment = toQString(shown.comment);
        if (row.box != nullptr) {
            // The box's text is the comment; it is spoken as the channel's force box.
            nameCell(row.box, name, QStringLiteral("force"));
            row.box->setAccessibleDescription(comment);
            row.box->setText(comment);
            row.box->setChecked(shown.checked);
            row.box->setEnabled(page.boxesEnabled);
        } else {
            row.comment->setText(comment);
            nameLiveValue(row.comment, name, comment, QStringLiteral("no comment"));
        }
    }
    if (apply_ != nullptr) apply_->setEnabled(page.applyEnabled);
    showLinkState(channels_);
}

TDINMonitor::TDINMonitor(const WindowContext& context)
    : TDigitalMonitor(context,
                      Kind{.title = QStringLiteral("Digital Input Monitor"),
                           .group = QStringLiteral("Digital Input Channels"),
                           .icon = QStringLiteral(":/icons/tab_digital_input.svg"),
                           .helpContext = kHelpContext,
                           .outputs = false},
                      std::make_unique<DigitalInputMonitor>(context.db)) {}

TDOUTMonitor::TDOUTMonitor(const WindowContext& context)
    : TDigitalMonitor(context,
                      Kind{.title = QStringLiteral("Digital Output Monitor"),
                           .group = QStringLiteral("Digital Output Channels"),
                           .icon = QStringLiteral(":/icons/tab_digital_output.svg"),
                           .helpContext = kHelpContext,
                           .outputs = true},
                      std::make_unique<DigitalOutputMonitor>(context.db)) {}

}  // namespace zat
