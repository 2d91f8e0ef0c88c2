#include "comms/transfer_map.h"

namespace zat {
namespace {

// A signed field travels as its bit pattern; unsigned access to a signed
// object is one of the aliases the language allows.
std::uint16_t* bits(std::int16_t& field) { return reinterpret_cast<std::uint16_t*>(&field); }
std::uint16_t* bits(std::uint16_t& field) { return &field; }

template <typename Field>
WireWord hex(char letter, Field& field) {
    return {letter, WireForm::Hex, bits(field)};
}

template <typename Field>
WireWord decimal(char letter, Field& field) {
    return {letter, WireForm::Decimal, bits(field)};
}

}  // namespace

std::array<WireWord, 3> analogInputWords(AnalogInputChannel& c) {
    return {hex(kInputTypeItem, c.type), hex(kInputHiScalarItem, c.hiScalar), hex(kInputLoScalarItem, c.loScalar)};
}

std::array<WireWord, 4> analogOutputWords(AnalogOutputChannel& c) {
    // All 40 outputs carry bias and flags on the unit, though the database
    // file keeps them for the physical 20 only.
    return {hex(kOutputFromItem, c.from), hex(kOutputToItem, c.to), hex(kOutputBiasItem, c.bias),
            hex(kOutputTypeItem, c.flags)};
}

std::array<WireWord, 5> hotColdBlockWords(HotColdBlock& b) {
    return {hex(kHotColdFlagsItem, b.flags), hex(kHotColdHottestItem, b.hottest), hex(kHotColdColdestItem, b.coldest),
            hex(kHotColdMeanItem, b.mean), hex(kHotColdSpreadItem, b.spread)};
}

namespace {
WireWord ifFlags(TIfconf& b) { return {kIfFlagsItem, WireForm::Hex, &b.flags, true}; }
}  // namespace

std::array<WireWord, 9> ifBlockExportWords(TIfconf& b) {
    return {ifFlags(b),
            hex(kIfThenOperand3Item, b.thenOperand3),
            hex(kIfOperand1Item, b.ifOperand1),
            hex(kIfOperand2Item, b.ifOperand2),
            hex(kIfThenOperand1Item, b.thenOperand1),
            hex(kIfThenOperand2Item, b.thenOperand2),
            hex(kIfElseOperand1Item, b.elseOperand1),
            hex(kIfElseOperand2Item, b.elseOperand2),
            hex(kIfElseOperand3Item, b.elseOperand3)};
}

std::array<WireWord, 9> ifBlockImportWords(TIfconf& b) {
    return {ifFlags(b),
            hex(kIfOperand1Item, b.ifOperand1),
            hex(kIfThenOperand3Item, b.thenOperand3),
            hex(kIfOperand2Item, b.ifOperand2),
            hex(kIfThenOperand1Item, b.thenOperand1),
            hex(kIfThenOperand2Item, b.thenOperand2),
            hex(kIfElseOperand1Item, b.elseOperand1),
            hex(kIfElseOperand2Item, b.elseOperand2),
            hex(kIfElseOperand3Item, b.elseOperand3)};
}

std::array<WireWord, 8> controllerWords(TController& k) {
    return {hex(kControllerFlagsItem, k.flags),         hex(kControllerMeasuredItem, k.mvRegister),
            hex(kControllerSetpointItem, k.spRegister), hex(kControllerOutputItem, k.opRegister),
            decimal(kProportionalBandItem, k.propBand), decimal(kIntegralTimeItem, k.intTime),
            decimal(kDerivativeTimeItem, k.derTime),    hex(kControllerCycleItem, k.tpCycle)};
}

std::array<WireWord, 3> profileSegmentWords(TProfile& p, int segment) {
    const auto s = static_cast<std::size_t>(segment);
    return {decimal(kSegmentRateItem, p.segRate[s]), decimal(kSegmentLevelItem, p.segLevel[s]),
            decimal(kSegmentDwellItem, p.segDwell[s])};
}

WireWord profileLinkWord(TProfile& p) { return decimal(kProfileLinkItem, p.link); }

WireWord hotColdListWord(HotColdBlock& b, int entry) {
    return hex(kHotColdListItem, b.list[static_cast<std::size_t>(entry)]);
}

std::array<WireWord, 12> profilerWords(TProfiler& p) {
    return {hex(kProfilerFlagsItem, p.flags),         hex(kProfilerMeasuredItem, p.mvRegister),
            hex(kProfilerOutputItem, p.opRegister),   hex(kProfilerStartItem, p.startRegister),
            hex(kProfilerStopItem, p.stopRegister),   hex(kProfilerHoldItem, p.holdRegister),
            hex(kProfilerLocalItem, p.localRegister), hex(kProfilerRunItem, p.runRegister),
            hex(kProfilerUpItem, p.upRegister),       hex(kProfilerDownItem, p.downRegister),
            hex(kProfilerDwellItem, p.dwellRegister), hex(kProfilerProfileItem, p.profileRegister)};
}

}  // namespace zat
