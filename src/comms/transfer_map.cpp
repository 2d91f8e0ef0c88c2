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
    return {hex('a', c.type), hex('~', c.hiScalar), hex(kDelete, c.loScalar)};
}

std::array<WireWord, 4> analogOutputWords(AnalogOutputChannel& c) {
    // All 40 outputs carry bias and flags on the unit, though the database
    // file keeps them for the physical 20 only.
    return {hex('d', c.from), hex('e', c.to), hex('f', c.bias), hex('g', c.flags)};
}

std::array<WireWord, 5> hotColdBlockWords(HotColdBlock& b) {
    return {hex('i', b.flags), hex('j', b.hottest), hex('k', b.coldest), hex('l', b.mean), hex('m', b.spread)};
}

namespace {
WireWord ifFlags(TIfconf& b) { return {'p', WireForm::Hex, &b.flags, true}; }
}  // namespace

std::array<WireWord, 9> ifBlockExportWords(TIfconf& b) {
    return {ifFlags(b),
            hex('o', b.thenOperand3),
            hex('q', b.ifOperand1),
            hex('r', b.ifOperand2),
            hex('s', b.thenOperand1),
            hex('t', b.thenOperand2),
            hex('u', b.elseOperand1),
            hex('v', b.elseOperand2),
            hex('w', b.elseOperand3)};
}

std::array<WireWord, 9> ifBlockImportWords(TIfconf& b) {
    return {ifFlags(b),
            hex('q', b.ifOperand1),
            hex('o', b.thenOperand3),
            hex('r', b.ifOperand2),
            hex('s', b.thenOperand1),
            hex('t', b.thenOperand2),
            hex('u', b.elseOperand1),
            hex('v', b.elseOperand2),
            hex('w', b.elseOperand3)};
}

std::array<WireWord, 8> controllerWords(TController& k) {
    return {hex('a', k.flags),        hex('b', k.mvRegister),  hex('c', k.spRegister),  hex('d', k.opRegister),
            decimal('J', k.propBand), decimal('K', k.intTime), decimal('L', k.derTime), hex('e', k.tpCycle)};
}

std::array<WireWord, 3> profileSegmentWords(TProfile& p, int segment) {
    const auto s = static_cast<std::size_t>(segment);
    return {decimal('O', p.segRate[s]), decimal('P', p.segLevel[s]), decimal('Q', p.segDwell[s])};
}

WireWord profileLinkWord(TProfile& p) { return decimal('U', p.link); }

WireWord hotColdListWord(HotColdBlock& b, int entry) { return hex('n', b.list[static_cast<std::size_t>(entry)]); }

std::array<WireWord, 12> profilerWords(TProfiler& p) {
    return {hex('g', p.flags),        hex('i', p.mvRegister),   hex('j', p.opRegister),    hex('k', p.startRegister),
            hex('l', p.stopRegister), hex('m', p.holdRegister), hex('n', p.localRegister), hex('o', p.runRegister),
            hex('p', p.upRegister),   hex('q', p.downRegister), hex('r', p.dwellRegister), hex('s', p.profileRegister)};
}

}  // namespace zat
