#include "monitoring/digital_monitors.h"

#include "model/comment.h"

namespace zat {

Outcome DigitalMonitor::open(UnitProtocol& protocol) {
    const std::uint16_t brightCode = outputs_ ? kDigitalOutputCard : kDigitalInputCard;
    auto tabs = openSlotTabs(protocol, health_, [&](std::uint16_t code) { return code == brightCode; });
    if (!tabs) return Outcome::Failed;
    page_.tabs = std::move(*tabs);
    if (outputs_) appendRangeTabs(page_.tabs, kSlotCount * kDigitalRows, kDigitalOutputCount - 1, kDigitalRows);
    loadPage(protocol, 0);
    return Outcome::Ok;
}

void DigitalMonitor::loadPage(UnitProtocol& protocol, int group) {
    page_.group = group;
    for (int r = 0; r < kDigitalRows; ++r) {
        const int channel = group * kDigitalRows + r;
        DigitalMonitorRow& row = page_.rows[r];
        row = DigitalMonitorRow{};
        row.name = channelLabel(outputs_ ? 'D' : 'C', channel);
        const Comment& comment =
            outputs_ ? database_.digitalOutputComments[channel] : database_.digitalInputComments[channel];
        row.comment = commentText(comment);
    }
    page_.boxesEnabled = false;
    page_.applyEnabled = false;
    if (outputs_) updateLamps(protocol);
}

void DigitalMonitor::updateLamps(UnitProtocol& protocol) {
    health_.beginBatch();
    std::int16_t state = 0;
    const Outcome read =
        readDecimalIndexed(protocol, health_, outputs_ ? kDigitalOutputsItem : kDigitalInputsItem, page_.group, state);
    showLinkStatus();
    if (failed(read)) {
        page_.boxesEnabled = false;
        return;
    }
    for (int r = 0; r < kDigitalRows; ++r) {
        DigitalMonitorRow& row = page_.rows[r];
        row.lamp = (static_cast<std::uint16_t>(state) & (1u << r)) != 0;
        if (outputs_ && !row.touched) row.checked = *row.lamp;
    }
    page_.boxesEnabled = outputs_;
}

void DigitalOutputMonitor::setBox(int row, bool checked) {
    if (!page_.boxesEnabled) return;
    page_.rows[row].checked = checked;
    page_.rows[row].touched = true;
    page_.applyEnabled = true;
}

std::optional<FieldMessage> DigitalOutputMonitor::apply(UnitProtocol& protocol) {
    if (!page_.boxesEnabled) return std::nullopt;
    int value = 0;
    for (int r = 0; r < kDigitalRows; ++r)
        if (page_.rows[r].checked) value |= 1 << r;
    health_.beginBatch();
    // The boxes keep the user's choice for another Apply after a failed
    // write, while the read that follows moves the lamps to the unit's.
    const Outcome written = health_.run(protocol, [&](UnitProtocol& p) {
        return p.writeDecimalIndexed(kDigitalOutputsItem, page_.group, static_cast<std::int16_t>(value));
    });
    updateLamps(protocol);
    // The reply may be what was lost: the lamps read back tell.
    bool taken = succeeded(written);
    if (!taken) {
        taken = page_.boxesEnabled;
        for (const DigitalMonitorRow& row : page_.rows) taken = taken && row.lamp == row.checked;
    }
    if (taken) {
        for (DigitalMonitorRow& row : page_.rows) row.touched = false;
        page_.applyEnabled = false;
        return std::nullopt;
    }
    return writeProblem({"outputs " + page_.rows.front().name + " to " + page_.rows.back().name});
}

}  // namespace zat
