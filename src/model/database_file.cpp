#include "model/database_file.h"

#include "model/file_io.h"
#include "model/profile_document.h"
#include "model/profile_file.h"

#include <charconv>
#include <cstdio>
#include <limits>

namespace zat {
namespace {

constexpr std::size_t kCommentBuffer = Comment::kFieldSize;
constexpr std::size_t kTimeOutBuffer = 260;

std::string sectionName(const char* format, int index) {
    char name[48];
    std::snprintf(name, sizeof name, format, index);
    return name;
}

template <typename Int>
std::string decimal(Int value) {
    char text[16];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

// Writes the fields of one section, in the order they are visited.
class SectionWriter {
public:
    SectionWriter(ProfileDocument& doc, std::string section) : doc_(doc), section_(std::move(section)) {}

    void text(std::string_view key, const Comment& comment) { doc_.write(section_, key, comment.view()); }
    void u16(std::string_view key, const uint16_t& field, int) { doc_.write(section_, key, decimal(field)); }
    void u16(std::string_view writeKey, std::string_view, const uint16_t& field, int) {
        doc_.write(section_, writeKey, decimal(field));
    }
    void s16(std::string_view key, const int16_t& field, int) { doc_.write(section_, key, decimal(field)); }

private:
    ProfileDocument& doc_;
    std::string section_;
};

// Reads the fields of one section; a missing key gives the loader default and
// numbers keep their low 16 bits.
class SectionReader {
public:
    SectionReader(const ProfileDocument& doc, std::string section) : doc_(doc), section_(std::move(section)) {}

    void text(std::string_view key, Comment& comment) {
        comment.assign(doc_.readString(section_, key, "", kCommentBuffer));
    }
    void u16(std::string_view key, uint16_t& field, int loaderDefault) {
        field = static_cast<uint16_t>(doc_.readInt(section_, key, loaderDefault));
    }
    void u16(std::string_view, std::string_view readKey, uint16_t& field, int loaderDefault) {
        u16(readKey, field, loaderDefault);
    }
    void s16(std::string_view key, int16_t& field, int loaderDefault) {
        field = static_cast<int16_t>(static_cast<uint16_t>(doc_.readInt(section_, key, loaderDefault)));
    }

private:
    const ProfileDocument& doc_;
    std::string section_;
};

// Lists the fields of one section with where they live.
class SectionCollector {
public:
    SectionCollector(std::vector<DatabaseField>& fields, std::string section)
        : fields_(fields), section_(std::move(section)) {}

    void text(std::string_view key, const Comment& comment) { add(key, DatabaseField::Kind::Text, &comment); }
    void u16(std::string_view key, const uint16_t& field, int) { add(key, DatabaseField::Kind::Unsigned, &field); }
    void u16(std::string_view writeKey, std::string_view, const uint16_t& field, int) { u16(writeKey, field, 0); }
    void s16(std::string_view key, const int16_t& field, int) { add(key, DatabaseField::Kind::Signed, &field); }

private:
    void add(std::string_view key, DatabaseField::Kind kind, const void* field) {
        fields_.push_back(DatabaseField{.section = section_, .key = std::string(key), .kind = kind, .field = field});
    }
    std::vector<DatabaseField>& fields_;
    std::string section_;
};

// One description of each section serves both directions. Where the writer
// and the reader spell a key differently both spellings are given.

template <typename Fields, typename Channel>
void analogInputFields(Fields& f, Channel& a) {
    f.u16("Type", a.type, 0);
    f.text("Comment", a.comment);
    f.s16("Hi Scalar", a.hiScalar, 1000);
    f.s16("Lo Scalar", a.loScalar, 0);
}

template <typename Fields, typename Channel>
void analogOutputFields(Fields& f, Channel& b, bool physical) {
    f.text("Comment", b.comment);
    f.s16("From", b.from, 0);
    f.s16("To", b.to, 1000);
    if (physical) {
        f.s16("Bias", b.bias, 0);
        f.u16("Flags", b.flags, 0);
    }
}

template <typename Fields, typename Block>
void hotColdFields(Fields& f, Block& h) {
    f.text("Comment", h.comment);
    f.u16("Hottest", h.hottest, 0);
    f.u16("Coldest", h.coldest, 0);
    f.u16("Mean", h.mean, 0);
    f.u16("Spread", h.spread, 0);
    f.u16("Flags", h.flags, 0);
    static constexpr const char* kListKeys[kHotColdListWords] = {"List 0", "List 1", "List 2", "List 3", "List 4"};
    for (int i = 0; i < kHotColdListWords; ++i) f.u16(kListKeys[i], h.list[i], 0);
}

template <typename Fields, typename Block>
void ifBlockFields(Fields& f, Block& b) {
    f.text("Comment", b.comment);
    f.u16("IF Operand1", b.ifOperand1, 0);
    f.s16("IF Operand2", b.ifOperand2, 0);
    f.u16("THEN Operand1", b.thenOperand1, 0);
    f.s16("THEN Operand2", b.thenOperand2, 0);
    f.s16("THEN Operand3", b.thenOperand3, 0);
    f.u16("ELSE Operand1", b.elseOperand1, 0);
    f.s16("ELSE Operand2", b.elseOperand2, 0);
    f.s16("ELSE Operand3", b.elseOperand3, 0);
    f.u16("Flags", b.flags, 0);
}

template <typename Fields, typename Controller>
void controllerFields(Fields& f, Controller& c) {
    f.text("Comment", c.comment);
    f.u16("MV REGISTER", "MV Register", c.mvRegister, 0);
    f.u16("SP REGISTER", "SP Register", c.spRegister, 0);
    f.u16("OP REGISTER", "OP Register", c.opRegister, 0);
    f.u16("PROP BAND", c.propBand, 1);
    f.u16("INT TIME", c.intTime, 0);
    f.u16("DER TIME", c.derTime, 0);
    f.u16("Flags", c.flags, 0);
    f.u16("TP Cycle", c.tpCycle, 10);
}

template <typename Fields, typename Profiler>
void profilerFields(Fields& f, Profiler& p) {
    f.text("Comment", p.comment);
    f.u16("MV REGISTER", "MV Register", p.mvRegister, 0);
    f.u16("OP REGISTER", "OP Register", p.opRegister, 0);
    f.u16("PROFILE REGISTER", "profile Register", p.profileRegister, 0);
    f.u16("LOCAL REGISTER", "Local Register", p.localRegister, 0);
    f.u16("START REGISTER", p.startRegister, 0);
    f.u16("STOP REGISTER", p.stopRegister, 0);
    f.u16("HOLD REGISTER", p.holdRegister, 0);
    f.u16("Flags", p.flags, 0);
    f.u16("RUN REGISTER", p.runRegister, 0);
    f.u16("UP REGISTER", p.upRegister, 0);
    f.u16("DOWN REGISTER", p.downRegister, 0);
    f.u16("DWELL REGISTER", p.dwellRegister, 0);
}

template <typename Fields, typename Profile>
void profileFields(Fields& f, Profile& p) {
    f.text("Comment", p.comment);
    for (int s = 0; s < kProfileSegmentCount; ++s) {
        char rate[16], level[16], dwell[16];
        std::snprintf(rate, sizeof rate, "Seg%02d Rate", s);
        std::snprintf(level, sizeof level, "Seg%02d Level", s);
        std::snprintf(dwell, sizeof dwell, "Seg%02d Dwell", s);
        f.s16(rate, p.segRate[s], 0);
        f.s16(level, p.segLevel[s], 0);
        f.s16(dwell, p.segDwell[s], 0);
    }
    f.s16("link", p.link, -1);
}

// Visits every record after "General", in file order, with a section
// accessor of type Section (SectionWriter or SectionReader) and one progress
// step per digital comment and per record section.
template <typename Section, typename Doc, typename Db>
void everyRecord(Doc& doc, Db& db, Progress& progress) {
    {
        Section inputs(doc, "Digital Inputs");
        for (int k = 0; k < kDigitalInputCount; ++k) {
            inputs.text(sectionName("Input %d", k), db.digitalInputComments[k]);
            progress.step();
        }
        Section outputs(doc, "Digital Outputs");
        for (int k = 0; k < kDigitalOutputCount; ++k) {
            outputs.text(sectionName("Output %d", k), db.digitalOutputComments[k]);
            progress.step();
        }
    }
    for (int k = 0; k < kAnalogInputCount; ++k) {
        Section s(doc, sectionName("Analog Input %d", k));
        analogInputFields(s, db.analogInputs[k]);
        progress.step();
    }
    for (int k = 0; k < kAnalogOutputCount; ++k) {
        Section s(doc, sectionName("Output %d", k));
        analogOutputFields(s, db.analogOutputs[k], k < kPhysicalAnalogOutputCount);
        progress.step();
    }
    for (int k = 0; k < kHotColdBlockCount; ++k) {
        Section s(doc, sectionName("HC Block %d", k));
        hotColdFields(s, db.hotColdBlocks[k]);
        progress.step();
    }
    for (int k = 0; k < kIfBlockCount; ++k) {
        Section s(doc, sectionName("IF Block %d", k));
        ifBlockFields(s, db.ifBlocks[k]);
        progress.step();
    }
    for (int k = 0; k < kControllerCount; ++k) {
        Section s(doc, sectionName("Controller %d", k));
        controllerFields(s, db.controllers[k]);
        progress.step();
    }
    for (int k = 0; k < kProfilerCount; ++k) {
        Section s(doc, sectionName("Profiler %d", k));
        profilerFields(s, db.profilers[k]);
        progress.step();
    }
    for (int k = 0; k < kProfileCount; ++k) {
        Section s(doc, sectionName("Profile %d", k));
        profileFields(s, db.profiles[k]);
        progress.step();
    }
}

}  // namespace

std::string formatTimeOutSeconds(uint32_t milliseconds) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, milliseconds * 0.001, std::chars_format::general, 6);
    return std::string(text, result.ptr);
}

uint32_t parseTimeOutSeconds(std::string_view text) {
    // The decimal number is multiplied by 1000 exactly, by moving its decimal
    // point, and truncated: binary floating point would turn "4.35" into
    // 4349 ms and make every save and load lose a millisecond. Leading-number
    // semantics: what follows the number is ignored, no number reads as 0.
    std::size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
    std::string digits;
    long long pointAt = -1;  // number of digits before the decimal point
    bool anyDigit = false;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c >= '0' && c <= '9') {
            anyDigit = true;
            if (digits.empty() && c == '0' && pointAt < 0) continue;  // leading zeros of the integer part
            if (digits.size() < 64)
                digits += c;
            else if (pointAt >= 0)
                continue;  // far fraction digits cannot matter
            else
                return negative ? 0 : std::numeric_limits<uint32_t>::max();
        } else if (c == '.' && pointAt < 0) {
            pointAt = static_cast<long long>(digits.size());
        } else {
            break;
        }
    }
    if (!anyDigit || negative) return 0;
    if (pointAt < 0) pointAt = static_cast<long long>(digits.size());
    // Leading zeros after the point still count as places.
    long long exponent = 0;
    if (pos + 1 < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        std::size_t e = pos + 1;
        bool negativeExponent = false;
        if (text[e] == '+' || text[e] == '-') negativeExponent = text[e++] == '-';
        if (e < text.size() && text[e] >= '0' && text[e] <= '9') {
            for (; e < text.size() && text[e] >= '0' && text[e] <= '9'; ++e)
                if (exponent < 100000) exponent = exponent * 10 + (text[e] - '0');
            if (negativeExponent) exponent = -exponent;
        }
    }
    // Digits of the integer part of the value times 1000.
    const long long integerDigits = pointAt + exponent + 3;
    if (integerDigits <= 0) return 0;
    uint64_t milliseconds = 0;
    for (long long i = 0; i < integerDigits; ++i) {
        const int digit = i < static_cast<long long>(digits.size()) ? digits[static_cast<std::size_t>(i)] - '0' : 0;
        milliseconds = milliseconds * 10 + static_cast<uint64_t>(digit);
        if (milliseconds >= std::numeric_limits<uint32_t>::max()) return std::numeric_limits<uint32_t>::max();
    }
    return static_cast<uint32_t>(milliseconds);
}

std::vector<DatabaseField> databaseFields(const ConfigDatabase& db) {
    std::vector<DatabaseField> saved;
    SilentProgress quiet;
    everyRecord<SectionCollector>(saved, db, quiet);
    // The outputs without hardware still hold a bias and flags on the unit:
    // they follow the output's saved fields.
    std::vector<DatabaseField> fields;
    fields.reserve(saved.size() + 2 * (kAnalogOutputCount - kPhysicalAnalogOutputCount));
    int output = kPhysicalAnalogOutputCount;
    for (std::size_t i = 0; i < saved.size(); ++i) {
        fields.push_back(saved[i]);
        const bool sectionEnds = i + 1 == saved.size() || saved[i + 1].section != saved[i].section;
        if (!sectionEnds || output >= kAnalogOutputCount || saved[i].section != sectionName("Output %d", output))
            continue;
        const AnalogOutputChannel& channel = db.analogOutputs[static_cast<std::size_t>(output++)];
        SectionCollector unsaved(fields, saved[i].section);
        unsaved.s16("Bias", channel.bias, 0);
        unsaved.u16("Flags", channel.flags, 0);
        fields[fields.size() - 2].saved = false;
        fields.back().saved = false;
    }
    return fields;
}

std::string fieldText(const DatabaseField& field) {
    switch (field.kind) {
        case DatabaseField::Kind::Text:
            return commentText(*static_cast<const Comment*>(field.field));
        case DatabaseField::Kind::Unsigned:
            return decimal(*static_cast<const uint16_t*>(field.field));
        case DatabaseField::Kind::Signed:
            break;
    }
    return decimal(*static_cast<const int16_t*>(field.field));
}

void readDatabaseFrom(const ProfileDocument& doc, ConfigDatabase& db, Progress& progress) {
    CommsSettings& comms = db.comms;
    comms.port = doc.readInt("General", "Port", 1);
    comms.address = doc.readInt("General", "Address", 0);
    comms.baudRate = doc.readInt("General", "Baud Rate", 9600);
    comms.retries = doc.readInt("General", "Retries", 2);
    comms.timeOut = parseTimeOutSeconds(doc.readString("General", "Time Out", "0.1", kTimeOutBuffer));
    comms.protocol = doc.readInt("General", "Protocol", 0);
    everyRecord<SectionReader>(doc, db, progress);
    db.recountIfBlocks();
}

void writeDatabaseTo(ProfileDocument& doc, const ConfigDatabase& db, Progress& progress) {
    const CommsSettings& comms = db.comms;
    doc.write("General", "Port", decimal(comms.port));
    doc.write("General", "Address", decimal(comms.address));
    doc.write("General", "Baud Rate", decimal(comms.baudRate));
    doc.write("General", "Time Out", formatTimeOutSeconds(comms.timeOut));
    doc.write("General", "Retries", decimal(comms.retries));
    doc.write("General", "Protocol", decimal(comms.protocol));
    everyRecord<SectionWriter>(doc, db, progress);
}

Outcome saveDatabase(ConfigDatabase& db, const std::string& path, const UserIo& io) {
    StatusTextSession status(io.status, "Saving ZAT database file :" + path);
    ProgressSession progress(io.progress, kDatabaseFileSteps, "Writing ZAT data file");

    // The existing file is updated, not replaced: what this program does not
    // write must survive. If it exists but cannot be read, writing over it
    // would lose exactly that, so stop.
    ProfileDocument doc;
    FileResult outcome = readProfileForUpdate(path, doc);
    if (outcome.ok) {
        writeDatabaseTo(doc, db, io.progress);
        outcome = writeFileAtomically(path, doc.serialize());
    }

    status.clear();
    progress.close();
    if (!outcome.ok) {
        reportUnableToWrite(io.prompts, path, outcome.reason);
        return Outcome::Failed;
    }
    db.modified = false;
    return Outcome::Ok;
}

DatabaseLoad loadDatabase(ConfigDatabase& db, const std::string& path, const UserIo& io) {
    StatusTextSession status(io.status, "Loading ZAT database file :" + path);
    ProgressSession progress(io.progress, kDatabaseFileSteps, "Reading ZAT data file");

    DatabaseLoad result;
    std::string bytes;
    const FileResult read = readWholeFile(path, bytes);
    result.fileRead = read.ok;
    result.missing = read.missing;
    result.reason = read.reason;
    if (!read.ok) bytes.clear();
    const ProfileDocument doc = ProfileDocument::parseOwned(std::move(bytes));

    readDatabaseFrom(doc, db, io.progress);

    status.clear();
    progress.close();
    db.modified = false;
    return result;
}

}  // namespace zat
