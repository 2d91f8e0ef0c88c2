#include "cli/summary.h"

#include "model/channel_type.h"
#include "model/comment.h"
#include "model/database_file.h"
#include "model/register_ref.h"

#include <cstdarg>
#include <cstdio>

namespace zat::cli {
namespace {

void appendf(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));

void appendf(std::string& out, const char* format, ...) {
    char line[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    out += line;
}

// Pads UTF-8 text with blanks to a column width counted in characters.
std::string padded(std::string text, std::size_t width) {
    std::size_t characters = 0;
    for (char c : text) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    if (characters < width) text.append(width - characters, ' ');
    return text;
}

std::string optionsOf(uint16_t type) {
    std::string options;
    if (type & kTypeFahrenheit) options += " \u00B0F";
    if (type & kTypeTenths) options += " 1/10ths";
    if (type & kTypeColdJunction) options += " CJ";
    if (type & kTypeTcbo) options += " TCBO";
    if (type & kTypeScaled) options += " scaled";
    return options;
}

void analogInputs(std::string& out, const ConfigDatabase& db) {
    out += "Analog inputs scanned:\n";
    for (int k = 0; k < kAnalogInputCount; ++k) {
        const AnalogInputChannel& a = db.analogInputs[k];
        if (a.type & kTypeNotScanned) continue;
        const ChannelType* type = channelType(a.type & kTypeIndexMask);
        std::string range;
        if (a.type & kTypeScaled) range = " " + std::to_string(a.loScalar) + ".." + std::to_string(a.hiScalar);
        const std::string typeName =
            type != nullptr ? std::string(type->name) : "type " + std::to_string(a.type & kTypeIndexMask);
        appendf(out, "  %s  %-12s%s %s\n", channelLabel('A', k).c_str(), typeName.c_str(),
                padded(optionsOf(a.type) + range, 24).c_str(), commentText(a.comment).c_str());
    }
}

void commented(std::string& out, const char* title, char letter, const Comment* comments, int count) {
    bool any = false;
    for (int k = 0; k < count; ++k) {
        if (comments[k].empty()) continue;
        if (!any) appendf(out, "%s:\n", title);
        any = true;
        appendf(out, "  %s  %s\n", channelLabel(letter, k).c_str(), commentText(comments[k]).c_str());
    }
}

void analogOutputs(std::string& out, const ConfigDatabase& db) {
    bool any = false;
    for (int k = 0; k < kAnalogOutputCount; ++k) {
        const AnalogOutputChannel& b = db.analogOutputs[k];
        if (b.comment.empty()) continue;
        if (!any) out += "Analog outputs:\n";
        any = true;
        appendf(out, "  %s  %d..%d  %s\n", channelLabel('B', k).c_str(), b.from, b.to, commentText(b.comment).c_str());
    }
}

void blocks(std::string& out, const ConfigDatabase& db) {
    int hotCold = 0;
    for (const HotColdBlock& h : db.hotColdBlocks) hotCold += (h.flags & kEnabledFlag) != 0;
    appendf(out, "Hot/cold blocks enabled: %d of %d\n", hotCold, kHotColdBlockCount);
    appendf(out, "IF blocks in use: %d of %d\n", db.ifBlockCount, kIfBlockCount);

    for (int k = 0; k < kControllerCount; ++k) {
        const TController& c = db.controllers[k];
        if (!(c.flags & kEnabledFlag)) continue;
        appendf(out, "Controller %d: MV %s SP %s OP %s, PB %u I %u s D %u s  %s\n", k + 1,
                formatRegisterField(c.mvRegister).c_str(), formatRegisterField(c.spRegister).c_str(),
                formatRegisterField(c.opRegister).c_str(), c.propBand, c.intTime, c.derTime,
                commentText(c.comment).c_str());
    }
    for (int k = 0; k < kProfilerCount; ++k) {
        const TProfiler& p = db.profilers[k];
        if (!(p.flags & kEnabledFlag)) continue;
        appendf(out, "Profiler %d: MV %s OP %s  %s\n", k + 1, formatRegisterField(p.mvRegister).c_str(),
                formatRegisterField(p.opRegister).c_str(), commentText(p.comment).c_str());
    }
    for (int k = 0; k < kProfileCount; ++k) {
        const TProfile& p = db.profiles[k];
        if (p.comment.empty()) continue;
        appendf(out, "Profile %d: %s\n", k + 1, commentText(p.comment).c_str());
    }
}

}  // namespace

std::string summarize(const ConfigDatabase& db) {
    std::string out;
    appendf(out, "Communications: COM%d, address %d, %d baud, time-out %s s, %d retries\n", db.comms.port,
            db.comms.address, db.comms.baudRate, formatTimeOutSeconds(db.comms.timeOut).c_str(), db.comms.retries);
    analogInputs(out, db);
    analogOutputs(out, db);
    commented(out, "Digital inputs", 'C', db.digitalInputComments.data(), kDigitalInputCount);
    commented(out, "Digital outputs", 'D', db.digitalOutputComments.data(), kDigitalOutputCount);
    blocks(out, db);
    return out;
}

}  // namespace zat::cli
