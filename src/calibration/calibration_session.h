// Calibrate Analogue Inputs / Outputs without a window: slot tabs of the
// right cards, the channel chosen by tab and position, its range, zero and
// span read at the calibration index, the present value each tick, the zero
// and span moved by "+"/"-" and track bars and written at once, Force Zero /
// Force Span of outputs and their release on closing, and Revert.
#pragma once

#include "calibration/calibration_map.h"
#include "calibration/constant_memory.h"
#include "comms/link_health.h"
#include "comms/protocol.h"
#include "comms/unit_items.h"

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zat {

struct CalibrationDialogConfig {
    CalibrationItem zero;
    CalibrationItem span;
    char presentLetter;  // the channel's present value, decimal, any page
    int channelsPerSlot;
    bool (*takesCard)(std::uint16_t code);  // a slot with this card takes a tab
    std::string_view title;
    char channelLetter;  // "A" or "B" in the channel's name
    int helpContext;
    bool outputs;
};

inline constexpr CalibrationDialogConfig kInputCalibration{
    .zero = kInputZero,
    .span = kInputSpan,
    .presentLetter = kInputValueItem,
    .channelsPerSlot = 8,
    .takesCard = isAnalogInputCard,
    .title = "Analogue Inputs",
    .channelLetter = 'A',
    .helpContext = 217,
    .outputs = false,
};
inline constexpr CalibrationDialogConfig kOutputCalibration{
    .zero = kOutputZero,
    .span = kOutputSpan,
    .presentLetter = kOutputValueItem,
    .channelsPerSlot = 4,
    .takesCard = isAnalogOutputCard,
    .title = "Analogue Outputs",
    .channelLetter = 'B',
    .helpContext = 216,
    .outputs = true,
};

struct CalibrationView {
    std::vector<std::string> tabs;  // "Slot 1".."Slot 5", the slots of the right cards
    int tab = 0;
    int position = 1;  // channel within the slot, 1..channelsPerSlot
    std::string channelName;
    std::string presentValue;  // "25.3°C", "1234"; empty until read on this channel
    std::string rangeText;     // inputs: "1V Range"; empty while the type is unknown
    // Read on this channel; while empty the constant's controls are disabled.
    std::optional<std::uint16_t> zero;
    std::optional<std::uint16_t> span;
    bool forceZero = false;
    bool forceSpan = false;
    bool revertEnabled = false;
    std::string linkStatus;  // "No reply from unit" while the unit is silent
    // "Unable to set zero" after a write the unit did not take (its reply
    // failed and the value read back differs), until the next write or
    // channel; the constant then shows what the unit holds.
    std::string problem;
};

// One track bar: its range and the value a position stands for.
struct TrackMapping {
    CalibrationItem item;
    bool inverted;  // the zero's: moving right lowers it
    [[nodiscard]] int maximum() const { return item.highest - item.lowest; }
    [[nodiscard]] int position(std::uint16_t value) const {
        return inverted ? item.highest - value : value - item.lowest;
    }
    [[nodiscard]] int valueAt(int position) const {
        return inverted ? item.highest - position : item.lowest + position;
    }
};

class CalibrationSession {
public:
    static constexpr std::chrono::milliseconds kValueInterval{1000};
    static constexpr std::string_view kNoSlotsText = "There are no slots of this type on the ZAT";

    explicit CalibrationSession(const CalibrationDialogConfig& config) : config_(config) {}

    // Probe (with its message), slot tabs, the first channel. Failed when
    // the dialog is to close: no answer, or no slot of the right kind (told).
    // A card code that cannot be read is told as the unit not answering,
    // never as a slot of another kind.
    [[nodiscard]] Outcome open(UnitProtocol& protocol);
    // A tab or position change: the new channel's range, zero and span.
    void selectChannel(UnitProtocol& protocol, int tab, int position);
    // The present value.
    void tick(UnitProtocol& protocol);
    [[nodiscard]] std::chrono::milliseconds tickInterval() const { return health_.interval(kValueInterval); }

    // "+" is +1, "-" is -1: the thumb one unit right or left, which lowers
    // the zero and raises the span. Each stops at its bounds.
    void stepZero(UnitProtocol& protocol, int direction);
    void stepSpan(UnitProtocol& protocol, int direction);
    void moveZeroTrack(UnitProtocol& protocol, int position);
    void moveSpanTrack(UnitProtocol& protocol, int position);
    [[nodiscard]] TrackMapping zeroTrack() const { return {config_.zero, true}; }
    [[nodiscard]] TrackMapping spanTrack() const { return {config_.span, false}; }

    // Outputs only; inputs ignore them.
    void forceZero(UnitProtocol& protocol);
    void forceSpan(UnitProtocol& protocol);

    // Writes back the values read on opening of every constant adjusted
    // since; Failed if a write failed (those stay to be reverted).
    [[nodiscard]] Outcome revert(UnitProtocol& protocol);

    // On closing: clears the force bits of every physical output. When a
    // release fails, names the outputs this dialog forced that may still be
    // forced and asks Retry or Cancel; Failed if given up.
    [[nodiscard]] Outcome releaseForcedOutputs(UnitProtocol& protocol);

    [[nodiscard]] const CalibrationView& view() const { return view_; }
    [[nodiscard]] const CalibrationDialogConfig& config() const { return config_; }

private:
    void sendConstant(UnitProtocol& protocol, const CalibrationItem& item, std::optional<std::uint16_t>& shown,
                      int value);
    [[nodiscard]] std::optional<std::uint16_t> readConstant(UnitProtocol& protocol, const CalibrationItem& item);
    void toggleForce(UnitProtocol& protocol, std::uint16_t other, std::uint16_t toggle, bool pageZeroFirst);
    [[nodiscard]] std::vector<int> releaseOnce(UnitProtocol& protocol);
    void showLinkStatus();

    const CalibrationDialogConfig& config_;
    LinkHealth health_;
    CalibrationView view_;
    std::vector<int> slotNumbers_;  // per tab, 1..5
    std::optional<int> channel_;
    std::optional<int> calibrationIndex_;
    std::optional<std::uint16_t> typeWord_;  // inputs
    std::map<int, std::uint16_t> forced_;    // outputs this dialog left forced: their force bits
    ConstantMemory memory_;
};

}  // namespace zat
