#include "model/register_ref.h"

#include "model/config_database.h"

#include <cstdio>

namespace zat {

namespace {

constexpr std::string_view kRegisterCaption = "I/O Reference Error";
constexpr std::string_view kDestinationCaption = "Analogue Destination Error";
constexpr std::string_view kNonNumeric = "\n\nNon numeric digit found";

// The edit fields hold at most three characters; anything longer is cut.
constexpr std::size_t kFieldLength = 3;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Letter and number of a field, or the message that rejects it. The caller
// has already dealt with empty text.
struct FieldEntry {
    char letter = 0;
    int number = 0;
    std::string_view error;
};

FieldEntry splitField(std::string_view text, std::string_view letters, std::string_view letterMessage) {
    text = text.substr(0, kFieldLength);
    FieldEntry entry;
    entry.letter = text[0];
    if (letters.find(entry.letter) == std::string_view::npos) {
        entry.error = letterMessage;
        return entry;
    }
    if (text.size() < 2 || !isDigit(text[1]) || (text.size() == 3 && !isDigit(text[2]))) {
        entry.error = kNonNumeric;
        return entry;
    }
    for (char c : text.substr(1)) entry.number = entry.number * 10 + (c - '0');
    return entry;
}

FieldCheck<uint16_t> refuse(std::string_view message, std::string_view caption) {
    return FieldCheck<uint16_t>::refuse(FieldMessage{std::string(message), std::string(caption),
                                                     MessageIcon::Exclamation, FieldMessage::Sound::Exclamation});
}

std::string letterAndNumber(char letter, int number) { return std::string(1, letter) + std::to_string(number); }

}  // namespace

int registerCount(char letter) {
    switch (letter) {
        case 'A':
            return kAnalogInputCount;
        case 'B':
            return kAnalogOutputCount;
        case 'C':
            return kDigitalInputCount;
        case 'D':
            return kDigitalOutputCount;
        default:
            return 0;
    }
}

bool isValidRegister(char letter, int number) { return number >= 0 && number < registerCount(letter); }

std::string channelLabel(char letter, int number) {
    char text[16];
    std::snprintf(text, sizeof text, "%c%02d", letter, number);
    return text;
}

RegisterRef RegisterRef::make(char letter, int number) {
    if (!isValidRegister(letter, number)) return RegisterRef();
    return RegisterRef(static_cast<uint16_t>((letter - 'A') * 64 + number + 1));
}

HotColdDestination HotColdDestination::make(char letter, int number) {
    if ((letter != 'A' && letter != 'B') || number < 0 || number >= kAnalogInputCount) return HotColdDestination();
    return HotColdDestination(static_cast<uint16_t>((letter == 'A' ? 0x80 : 0x40) + number));
}

std::string formatRegisterField(uint16_t code) {
    const RegisterRef ref(code);
    if (ref.isNone()) return {};
    return letterAndNumber(ref.letter(), ref.number());
}

std::string formatRegisterShort(uint16_t code) {
    const RegisterRef ref(code);
    if (ref.isNone()) return {};
    return "(" + letterAndNumber(ref.letter(), ref.number()) + ")";
}

FieldCheck<uint16_t> parseRegisterField(std::string_view text, RegisterLetters permitted) {
    if (text.empty()) return FieldCheck<uint16_t>::accept(0);

    std::string_view letters;
    std::string_view letterMessage;
    switch (permitted) {
        case RegisterLetters::AB:
            letters = "AB";
            letterMessage = "\nFirst character must be A or B";
            break;
        case RegisterLetters::ABCD:
            letters = "ABCD";
            letterMessage = "\nFirst character must be A,B,C or D";
            break;
        case RegisterLetters::DOnly:
            letters = "D";
            letterMessage = "\nFirst character must be D";
            break;
        case RegisterLetters::CD:
            letters = "CD";
            letterMessage = "\nFirst character must be C or D";
            break;
    }

    FieldEntry entry = splitField(text, letters, letterMessage);
    if (entry.error.empty() && !isValidRegister(entry.letter, entry.number)) entry.error = "\nIllegal channel number";
    if (!entry.error.empty()) return refuse(entry.error, kRegisterCaption);
    return FieldCheck<uint16_t>::accept(RegisterRef::make(entry.letter, entry.number).code());
}

std::string formatHotColdDestination(uint16_t code) {
    const HotColdDestination destination(code);
    if (destination.isNone()) return {};
    return letterAndNumber(destination.letter(), destination.number());
}

FieldCheck<uint16_t> parseHotColdDestination(std::string_view text) {
    if (text.empty()) return FieldCheck<uint16_t>::accept(0);

    FieldEntry entry = splitField(text, "AB", "\nFirst character must be A or B");
    if (entry.error.empty() && entry.number >= kAnalogInputCount)
        entry.error = "\nIllegal analogue destination channel number";
    if (!entry.error.empty()) return refuse(entry.error, kDestinationCaption);
    return FieldCheck<uint16_t>::accept(HotColdDestination::make(entry.letter, entry.number).code());
}

}  // namespace zat
