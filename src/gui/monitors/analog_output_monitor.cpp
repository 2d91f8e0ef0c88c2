#include "gui/monitors/analog_output_monitor.h"

#include "gui/common/accessible_names.h"
#include "gui/common/field_refusal.h"
#include "gui/common/text_conversion.h"
#include "gui/monitors/monitor_layout.h"
#include "gui/monitors/monitor_pictures.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>

namespace zat {

namespace {
constexpr int kEntryChars = 8;  // what the unit's New edit reads
// The columns' captions; the value and entry of a row are spoken by them.
constexpr const char* kCurrentCaption = "Current";
constexpr const char* kNewCaption = "New";
}  // namespace

TAOUTMonitor::TAOUTMonitor(const WindowContext& context)
    : MonitorWindow(context, QStringLiteral("Analogue Output Monitor"), PollTimer::Schedule::Periodic),
      engine_(context.db) {
    tabs_ = makeTabs([this](int page) { engine_.loadPage(context_.protocol, page); });

    channels_ = new QGroupBox(QStringLiteral("Analogue Output Channels"), this);
    channels_->setObjectName(QStringLiteral("channels"));
    auto* grid = new QGridLayout(channels_);
    grid->setHorizontalSpacing(10);
    int column = 0;
    for (const char* caption : {"Chan", kCurrentCaption, kNewCaption, "Range", "Comment"}) {
        grid->addWidget(makeCaption(toQString(caption), channels_), 0, column++);
    }
    for (int r = 0; r < kAnalogOutputRows; ++r) {
        RowWidgets& row = rows_[static_cast<std::size_t>(r)];
        row.name = new QLabel(channels_);
        row.name->setObjectName(QStringLiteral("name%1").arg(r));
        row.current = makeValueEdit(channels_, QStringLiteral("current%1").arg(r), QStringLiteral("Invalid-3276.8"));
        row.entry = new QLineEdit(channels_);
        row.entry->setObjectName(QStringLiteral("entry%1").arg(r));
        row.entry->setMaxLength(kEntryChars);
        row.entry->setAlignment(Qt::AlignRight);
        row.entry->setFixedWidth(row.current->width());
        connect(row.entry, &QLineEdit::textEdited, this, [this, r](const QString& text) {
            engine_.setEntry(r, toUtf8(text));
            apply_->setEnabled(engine_.page().applyEnabled);
        });
        row.range = new QLabel(channels_);
        row.range->setObjectName(QStringLiteral("range%1").arg(r));
        row.range->setMinimumWidth(
            row.range->fontMetrics().horizontalAdvance(QStringLiteral("Linear -32768 to -32768, bias -100%")));
        row.comment = new QLabel(channels_);
        row.comment->setObjectName(QStringLiteral("comment%1").arg(r));
        row.comment->setMinimumWidth(row.comment->fontMetrics().horizontalAdvance(QString(30, QChar('M'))) * 3 / 4);
        grid->addWidget(row.name, r + 1, 0);
        grid->addWidget(row.current, r + 1, 1);
        grid->addWidget(row.entry, r + 1, 2);
        grid->addWidget(row.range, r + 1, 3);
        grid->addWidget(row.comment, r + 1, 4);
    }
    grid->setColumnStretch(4, 1);

    apply_ = new QPushButton(QStringLiteral("&Apply"), this);
    apply_->setObjectName(QStringLiteral("apply"));
    apply_->setEnabled(false);
    connect(apply_, &QPushButton::clicked, this, [this] { apply(); });
    layOutMonitor(*this, tabs_, channels_, makeButtons(kHelpContext, apply_), makeLinkStatusLabel());
    showPage();
}

Outcome TAOUTMonitor::openEngine() {
    const Outcome opened = engine_.open(context_.protocol);
    if (succeeded(opened)) {
        fillTabs(tabs_, slotTabEntries(engine_.page().tabs, QStringLiteral(":/icons/tab_analog_output.svg")),
                 engine_.page().page);
    }
    return opened;
}

void TAOUTMonitor::apply() {
    std::vector<OutputEntryRefusal> messages;
    runBatch([&] { messages = engine_.apply(context_.protocol); });
    for (const OutputEntryRefusal& message : messages)
        refuseField(message.message, rows_[static_cast<std::size_t>(message.row)].entry, context_.gui);
}

void TAOUTMonitor::showPage() {
    const AnalogOutputMonitorPage& page = engine_.page();
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        const AnalogOutputMonitorRow& shown = page.rows[r];
        RowWidgets& row = rows_[r];
        const QString name = toQString(shown.name);
        row.name->setText(name);
        nameCell(row.current, name, toQString(kCurrentCaption));
        nameCell(row.entry, name, toQString(kNewCaption) + QStringLiteral(" value"));  // "B02 New value"
        row.current->setText(toQString(shown.current));
        const QString entry = toQString(shown.entry);
        if (row.entry->text() != entry) row.entry->setText(entry);  // keeps the caret while typing
        row.entry->setEnabled(shown.entryEnabled);
        row.range->setText(toQString(shown.range));
        nameLiveValue(row.range, name, row.range->text());
        row.comment->setText(toQString(shown.comment));
        nameLiveValue(row.comment, name, row.comment->text(), QStringLiteral("no comment"));
    }
    apply_->setEnabled(page.applyEnabled);
    showLinkState(channels_);
}

}  // namespace zat
