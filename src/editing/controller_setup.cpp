#include "editing/controller_setup.h"

#include "editing/entry_text.h"
#include "model/register_ref.h"

#include <array>
#include <string_view>

namespace zat {

namespace {

using Result = StoreResult<ControllerField>;

// Terms and the cycle time are read from at most this many characters.
constexpr std::size_t kNumberReadLength = 5;
constexpr uint16_t kDigitalLetterBits = 0x00C0;  // letter D in a register code

struct Term {
    ControllerField field;
    const std::string& text;
    int minimum;
    int maximum;
    const char* name;  // the message's first line
    const char* unit;  // after the range
};

FieldMessage outOfRange(const char* name, int minimum, int maximum, const char* unit) {
    return FieldMessage{
        std::string(name) + "\nValid range " + std::to_string(minimum) + " to " + std::to_string(maximum) + unit,
        "Value out of range"};
}

int readNumber(std::string_view text) { return readLeadingInteger(text.substr(0, kNumberReadLength)); }

}  // namespace

std::string controllerTabTitle(int controller) { return "Controller " + std::to_string(controller + 1); }

bool isControllerEnabled(const TController& controller) { return (controller.flags & kControllerEnabled) != 0; }

ControllerPage loadController(const ConfigDatabase& db, int controller) {
    const TController& record = db.controllers[static_cast<std::size_t>(controller)];
    ControllerPage page;
    page.enabled = isControllerEnabled(record);
    page.timeProportioned = (record.flags & kControllerTimeProportioned) != 0;
    page.comment = commentText(record.comment);
    page.measured = formatRegisterField(record.mvRegister);
    page.setpoint = formatRegisterField(record.spRegister);
    page.output = formatRegisterField(record.opRegister);
    if (page.timeProportioned) {
        const uint16_t number = record.flags & kControllerTpOutputMask;
        page.digital = number == 0 ? std::string() : formatRegisterField(kDigitalLetterBits | number);
        page.cycle = std::to_string(record.tpCycle);
    }
    page.propBand = std::to_string(record.propBand);
    page.intTime = std::to_string(record.intTime);
    page.derTime = std::to_string(record.derTime);
    return page;
}

Result storeController(ConfigDatabase& db, int controller, const ControllerPage& page) {
    struct Source {
        ControllerField field;
        const std::string& text;
        const char* missing;
    };
    const Source sources[] = {
        {ControllerField::Setpoint, page.setpoint, "Must specify a setpoint source"},
        {ControllerField::Measured, page.measured, "Must specify a measured value source"},
        {ControllerField::Output, page.output, "Must specify an output destination"},
    };
    std::array<uint16_t, 3> codes{};
    for (std::size_t i = 0; i < std::size(sources); ++i) {
        const FieldCheck<uint16_t> code = parseRegisterField(sources[i].text, RegisterLetters::AB);
        if (!code) return Result::refuse(0, sources[i].field, code.message());
        if (*code == 0 && page.enabled)
            return Result::refuse(0, sources[i].field, FieldMessage{sources[i].missing, "Error"});
        codes[i] = *code;
    }

    const Term terms[] = {
        {ControllerField::PropBand, page.propBand, kMinPropBand, kMaxPropBand, "Proportional band", ""},
        {ControllerField::IntTime, page.intTime, kMinIntTime, kMaxIntTime, "Integral time", " Sec"},
        {ControllerField::DerTime, page.derTime, kMinDerTime, kMaxDerTime, "Derivative time", " Sec"},
    };
    std::array<int, 3> values{};
    for (std::size_t i = 0; i < std::size(terms); ++i) {
        const Term& term = terms[i];
        values[i] = readNumber(term.text);
        if (values[i] < term.minimum || values[i] > term.maximum)
            return Result::refuse(0, term.field, outOfRange(term.name, term.minimum, term.maximum, term.unit));
    }

    // The flags are built here and written with the rest, so a refusal below
    // leaves the record exactly as it was.
    uint16_t flags = page.enabled ? kControllerEnabled : 0;
    uint16_t cycle = kAnalogTpCycle;
    if (page.timeProportioned) {
        const FieldCheck<uint16_t> digital = parseRegisterField(page.digital, RegisterLetters::DOnly);
        if (!digital) return Result::refuse(0, ControllerField::Digital, digital.message());
        const int typed = readNumber(page.cycle);
        if (typed < kMinTpCycle || typed > kMaxTpCycle)
            return Result::refuse(0, ControllerField::Cycle,
                                  outOfRange("TP Cycle time", kMinTpCycle, kMaxTpCycle, " Sec"));
        flags |= kControllerTimeProportioned | (*digital & kControllerTpOutputMask);
        cycle = static_cast<uint16_t>(typed);
    }

    TController& record = db.controllers[static_cast<std::size_t>(controller)];
    record.flags = flags;
    record.comment = commentFromText(page.comment);
    record.spRegister = codes[0];
    record.mvRegister = codes[1];
    record.opRegister = codes[2];
    record.propBand = static_cast<uint16_t>(values[0]);
    record.intTime = static_cast<uint16_t>(values[1]);
    record.derTime = static_cast<uint16_t>(values[2]);
    record.tpCycle = cycle;
    db.markModified();
    return Result::accept();
}

}  // namespace zat
