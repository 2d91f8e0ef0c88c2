// The unit's vocabulary: the item letter of every value the system reads or
// writes, the commands, the card codes of the slots and the bits of the
// status words. Lower-case letters name different items on page 0 and on
// page 1; upper-case letters and the punctuation items mean the same on
// either. The counts (slots, channels, the physical outputs) and the bits of
// the configuration's flag words (the enabled bit among them) are the
// configuration's own, in model/config_database.h.
#pragma once

#include <cstdint>

namespace zat {

constexpr int kConfigPage = 0;   // inputs, outputs, hot/cold and IF blocks, calibration
constexpr int kControlPage = 1;  // PID controllers and profilers

// Page 0, indexed by analog input 0..39.
constexpr char kInputTypeItem = 'a';
constexpr char kInputHiScalarItem = '~';
constexpr char kInputLoScalarItem = 0x7F;
// Page 0, indexed by slot 0..4.
constexpr char kCardCodeItem = 'b';
constexpr char kColdJunctionTemperatureItem = 'c';  // signed, tenths of a degree Celsius
// Page 0, indexed by analog output 0..39.
constexpr char kOutputFromItem = 'd';
constexpr char kOutputToItem = 'e';
constexpr char kOutputBiasItem = 'f';
constexpr char kOutputTypeItem = 'g';  // the output's flags: type, characterised, tenths, degrees F
// Page 0, hot/cold blocks: select one, then its fields without an index and its list indexed 0..4.
constexpr char kHotColdSelect = 'h';
constexpr char kHotColdFlagsItem = 'i';
constexpr char kHotColdHottestItem = 'j';
constexpr char kHotColdColdestItem = 'k';
constexpr char kHotColdMeanItem = 'l';
constexpr char kHotColdSpreadItem = 'm';
constexpr char kHotColdListItem = 'n';
// Page 0, indexed by IF block 0..89.
constexpr char kIfThenOperand3Item = 'o';
constexpr char kIfFlagsItem = 'p';
constexpr char kIfOperand1Item = 'q';
constexpr char kIfOperand2Item = 'r';
constexpr char kIfThenOperand1Item = 's';
constexpr char kIfThenOperand2Item = 't';
constexpr char kIfElseOperand1Item = 'u';
constexpr char kIfElseOperand2Item = 'v';
constexpr char kIfElseOperand3Item = 'w';
// Page 0, calibration constants: inputs by range 0..7, outputs by output 0..19.
constexpr char kInputZeroItem = 'x';
constexpr char kInputSpanItem = 'y';
constexpr char kOutputZeroItem = 'z';
constexpr char kOutputSpanItem = '{';
constexpr char kColdJunctionZeroItem = '|';  // no index

// Page 1, indexed by controller 0..7.
constexpr char kControllerFlagsItem = 'a';
constexpr char kControllerMeasuredItem = 'b';  // register codes
constexpr char kControllerSetpointItem = 'c';
constexpr char kControllerOutputItem = 'd';
constexpr char kControllerCycleItem = 'e';
// Page 1, indexed by profiler 0..5; the rest are register codes.
constexpr char kProfilerFlagsItem = 'g';
constexpr char kProfilerMeasuredItem = 'i';
constexpr char kProfilerOutputItem = 'j';
constexpr char kProfilerStartItem = 'k';
constexpr char kProfilerStopItem = 'l';
constexpr char kProfilerHoldItem = 'm';
constexpr char kProfilerLocalItem = 'n';
constexpr char kProfilerRunItem = 'o';
constexpr char kProfilerUpItem = 'p';
constexpr char kProfilerDownItem = 'q';
constexpr char kProfilerDwellItem = 'r';
constexpr char kProfilerProfileItem = 's';

// Any page, decimal values.
constexpr char kInputValueItem = 'A';        // register A, by analog input
constexpr char kOutputValueItem = 'B';       // register B, by analog output
constexpr char kOutputStatusItem = 'E';      // by analog output
constexpr char kInputStatusItem = 'F';       // by analog input
constexpr char kDigitalInputsItem = 'G';     // eight inputs a group, by group 0..4
constexpr char kDigitalOutputsItem = 'H';    // eight outputs a group, by group 0..6
constexpr char kProportionalBandItem = 'J';  // by controller
constexpr char kIntegralTimeItem = 'K';
constexpr char kDerivativeTimeItem = 'L';
constexpr char kProfilerStatusItem = 'M';  // by profiler
constexpr char kProfileSelect = 'N';       // a profile (transfer) or a profiler (its monitor)
constexpr char kSegmentRateItem = 'O';     // of the selected profile, by segment 0..7
constexpr char kSegmentLevelItem = 'P';
constexpr char kSegmentDwellItem = 'Q';
constexpr char kProfilerSegmentItem = 'R';       // by profiler
constexpr char kProfilerRunsProfileItem = 'S';   // register S, by profiler
constexpr char kProfilerDwellElapsedItem = 'T';  // minutes, by profiler
constexpr char kProfileLinkItem = 'U';           // of the selected profile, no index
constexpr char kPageSelect = ']';
constexpr char kProbeItem = '?';

// Commands, without data.
constexpr char kInitialiseCommand = 'I';     // ends every export
constexpr char kStartProfilerCommand = 'S';  // these four act on the selected profiler
constexpr char kResetProfilerCommand = 'R';
constexpr char kHoldProfilerCommand = 'H';
constexpr char kReleaseProfilerCommand = 'F';

// The card codes item "b" gives for a slot: 1 to 3 analog input cards, 4 and
// 5 analog output cards.
constexpr std::uint16_t kThermocoupleCard = 3;  // the analog input card with cold junctions
constexpr std::uint16_t kDigitalInputCard = 6;
constexpr std::uint16_t kDigitalOutputCard = 7;
constexpr bool isAnalogInputCard(std::uint16_t code) { return code >= 1 && code <= kThermocoupleCard; }
constexpr bool isAnalogOutputCard(std::uint16_t code) { return code == 4 || code == 5; }

// Bits of an input's status word (item "F"). What the unit means by the
// three marker bits is its own; the monitor shows each as a marker.
constexpr std::uint16_t kInputBroken = 0x80;  // broken sensor
constexpr std::uint16_t kInputUpMarker = 0x40;
constexpr std::uint16_t kInputDownMarker = 0x20;
constexpr std::uint16_t kInputThirdMarker = 0x10;

// Bits of an output's status word (item "E").
constexpr std::uint16_t kOutputForcedToSpan = 0x01;
constexpr std::uint16_t kOutputForcedToZero = 0x02;
constexpr std::uint16_t kOutputInvalid = 0x04;
constexpr std::uint16_t kOutputProtected = 0x08;  // the unit keeps the value itself: no entry, no restore

// Bits of a profiler's status word (item "M").
constexpr std::uint16_t kProfilerRunning = 0x01;
constexpr std::uint16_t kProfilerRamping = 0x02;  // clear while running: dwelling
constexpr std::uint16_t kProfilerRampUp = 0x04;   // clear: ramping down
constexpr std::uint16_t kProfilerHeld = 0x08;

}  // namespace zat
