#include "model/profile_document.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace zat {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// ASCII only: the files are in a single-byte code page, and a locale-aware
// fold would make names match differently on different machines.
char foldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c; }

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (foldCase(a[i]) != foldCase(b[i])) return false;
    }
    return true;
}

std::string_view trimBlanks(std::string_view text) {
    std::size_t first = 0;
    while (first < text.size() && isBlank(text[first])) ++first;
    std::size_t last = text.size();
    while (last > first && isBlank(text[last - 1])) --last;
    return text.substr(first, last - first);
}

// A written name or value must stay on its own line.
std::string withoutLineBreaks(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c == '\r' || c == '\n' || c == '\0') c = ' ';
    }
    return out;
}

bool hasLineBreak(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

}  // namespace

// Sorts a line into header, key, other content or nothing (blank or comment)
// and records where its name and value lie.
void ProfileDocument::classify(std::string_view content, Line& line) {
    line.kind = Kind::Other;
    std::size_t i = 0;
    while (i < content.size() && isBlank(content[i])) ++i;
    if (i == content.size()) return;
    const char first = content[i];
    if (first == ';' || first == '#') return;
    line.kind = Kind::Content;
    auto place = [content](std::string_view whole, std::size_t& begin, std::size_t& length) {
        const std::string_view trimmed = trimBlanks(whole);
        begin = static_cast<std::size_t>(trimmed.data() - content.data());
        length = trimmed.size();
    };
    if (first == '[') {
        const std::size_t close = content.find(']', i + 1);
        // "[" without "]" is no header; it is kept as unknown content.
        if (close == std::string_view::npos) return;
        place(content.substr(i + 1, close - i - 1), line.nameBegin, line.nameLength);
        line.kind = Kind::Header;
        return;
    }
    const std::size_t eq = content.find('=', i);
    if (eq == std::string_view::npos) return;
    place(content.substr(i, eq - i), line.nameBegin, line.nameLength);
    place(content.substr(eq + 1), line.valueBegin, line.valueLength);
    line.kind = Kind::Key;
}

std::size_t ProfileDocument::NameHash::operator()(std::string_view name) const noexcept {
    std::size_t h = 14695981039346656037ull;
    for (char c : name) {
        h ^= static_cast<unsigned char>(foldCase(c));
        h *= 1099511628211ull;
    }
    return h;
}

bool ProfileDocument::NameEqual::operator()(std::string_view a, std::string_view b) const noexcept {
    return equalsNoCase(a, b);
}

ProfileDocument::ProfileDocument() = default;
ProfileDocument::~ProfileDocument() = default;
ProfileDocument::ProfileDocument(ProfileDocument&&) noexcept = default;
ProfileDocument& ProfileDocument::operator=(ProfileDocument&&) noexcept = default;
ProfileDocument::ProfileDocument(const ProfileDocument&) = default;
ProfileDocument& ProfileDocument::operator=(const ProfileDocument&) = default;

ProfileDocument ProfileDocument::parse(std::string_view bytes) {
    ProfileDocument doc;
    doc.source_.assign(bytes);
    const std::string_view all = doc.source_;
    if (all.substr(0, kBom.size()) == kBom) doc.bomLength_ = kBom.size();

    // Lines are gathered here first so that each section's container is
    // allocated once at its final size.
    std::vector<Line> pending;
    pending.reserve(all.size() / 24 + 16);
    auto flush = [&doc, &pending]() {
        std::vector<Line>& target = doc.sections_.empty() ? doc.preamble_ : doc.sections_.back().lines;
        target.reserve(pending.size());
        std::move(pending.begin(), pending.end(), std::back_inserter(target));
        pending.clear();
    };

    std::size_t pos = doc.bomLength_;
    while (pos < all.size()) {
        const std::size_t lf = all.find('\n', pos);
        const std::size_t end = lf == std::string_view::npos ? all.size() : lf + 1;
        std::size_t contentEnd = lf == std::string_view::npos ? all.size() : lf;
        // A CR right before the LF (or at the very end) is part of the line
        // ending; anywhere else it is an ordinary byte.
        if (contentEnd > pos && all[contentEnd - 1] == '\r') --contentEnd;

        Line line;
        line.begin = pos;
        line.length = end - pos;
        line.contentLength = contentEnd - pos;
        classify(all.substr(pos, line.contentLength), line);
        pos = end;

        if (line.kind == Kind::Header) {
            flush();
            const std::string_view name = all.substr(line.begin + line.nameBegin, line.nameLength);
            if (doc.index_.find(name) == doc.index_.end()) doc.index_.emplace(std::string(name), doc.sections_.size());
            doc.sections_.emplace_back();
            doc.sections_.back().header = std::move(line);
            continue;
        }
        if (!doc.sections_.empty() && (line.kind == Kind::Key || line.kind == Kind::Content)) {
            doc.sections_.back().insertAt = pending.size() + 1;
        }
        pending.push_back(std::move(line));
    }
    flush();
    return doc;
}

std::string_view ProfileDocument::lineText(const Line& line) const {
    if (line.rewritten) return line.text;
    return std::string_view(source_).substr(line.begin, line.length);
}

std::string_view ProfileDocument::lineName(const Line& line) const {
    return lineText(line).substr(line.nameBegin, line.nameLength);
}

const ProfileDocument::Section* ProfileDocument::findSection(std::string_view name) const {
    const auto it = index_.find(trimBlanks(name));
    return it == index_.end() ? nullptr : &sections_[it->second];
}

ProfileDocument::Section* ProfileDocument::findSection(std::string_view name) {
    return const_cast<Section*>(std::as_const(*this).findSection(name));
}

const ProfileDocument::Line* ProfileDocument::findKey(const Section& section, std::string_view key) const {
    key = trimBlanks(key);
    for (const Line& line : section.lines) {
        if (line.kind == Kind::Key && line.nameLength == key.size() && equalsNoCase(lineName(line), key)) {
            return &line;
        }
    }
    return nullptr;
}

ProfileDocument::Line* ProfileDocument::findKey(Section& section, std::string_view key) {
    return const_cast<Line*>(std::as_const(*this).findKey(section, key));
}

std::optional<std::string_view> ProfileDocument::value(std::string_view section, std::string_view key) const {
    const Section* s = findSection(section);
    if (s == nullptr) return std::nullopt;
    const Line* line = findKey(*s, key);
    if (line == nullptr) return std::nullopt;
    return lineText(*line).substr(line->valueBegin, line->valueLength);
}

std::string ProfileDocument::readString(std::string_view section, std::string_view key,
                                        std::string_view defaultValue, std::size_t bufferSize) const {
    if (bufferSize == 0) return {};
    const std::string_view text = value(section, key).value_or(defaultValue);
    return std::string(text.substr(0, bufferSize - 1));
}

int32_t ProfileDocument::readInt(std::string_view section, std::string_view key, int32_t defaultValue) const {
    const auto text = value(section, key);
    if (!text || text->empty()) return defaultValue;
    return parseProfileInt(*text);
}

bool ProfileDocument::hasSection(std::string_view section) const { return findSection(section) != nullptr; }

ProfileDocument::Line ProfileDocument::makeLine(std::string text) {
    Line line;
    line.rewritten = true;
    line.length = text.size();
    std::size_t contentEnd = text.size();
    if (contentEnd > 0 && text[contentEnd - 1] == '\n') --contentEnd;
    if (contentEnd > 0 && text[contentEnd - 1] == '\r') --contentEnd;
    line.contentLength = contentEnd;
    classify(std::string_view(text).substr(0, contentEnd), line);
    line.text = std::move(text);
    return line;
}

ProfileDocument::Line* ProfileDocument::lastLine() {
    if (!sections_.empty()) {
        Section& last = sections_.back();
        return last.lines.empty() ? &last.header : &last.lines.back();
    }
    return preamble_.empty() ? nullptr : &preamble_.back();
}

// Only the last line of a file can lack its line ending; it gets one before
// anything is put after it.
void ProfileDocument::terminate(Line& line) {
    const std::string_view text = lineText(line);
    if (!text.empty() && text.back() == '\n') return;
    std::string ended;
    ended.reserve(text.size() + 2);
    ended.append(text);
    ended.append(!text.empty() && text.back() == '\r' ? "\n" : "\r\n");
    line.text = std::move(ended);
    line.rewritten = true;
    line.length = line.text.size();
}

void ProfileDocument::write(std::string_view section, std::string_view key, std::string_view value) {
    section = trimBlanks(section);
    key = trimBlanks(key);
    // Names are looked up as given first, so a key already in the file under
    // an odd name is still found; new lines get the cleaned names.
    const std::string cleanSection(trimBlanks(withoutLineBreaks(section)));
    const std::string cleanKey(trimBlanks(withoutLineBreaks(key)));
    const std::string cleanValue = withoutLineBreaks(value);

    Section* s = findSection(section);
    if (s == nullptr && hasLineBreak(section)) s = findSection(cleanSection);

    if (s != nullptr) {
        Line* line = findKey(*s, key);
        if (line == nullptr && hasLineBreak(key)) line = findKey(*s, cleanKey);
        if (line != nullptr) {
            const std::string_view name = lineName(*line);
            std::string text;
            text.reserve(name.size() + cleanValue.size() + 3);
            text.append(name).append("=").append(cleanValue).append("\r\n");
            *line = makeLine(std::move(text));
            return;
        }
        terminate(s->insertAt == 0 ? s->header : s->lines[s->insertAt - 1]);
        std::string text;
        text.reserve(cleanKey.size() + cleanValue.size() + 3);
        text.append(cleanKey).append("=").append(cleanValue).append("\r\n");
        s->lines.insert(s->lines.begin() + static_cast<std::ptrdiff_t>(s->insertAt), makeLine(std::move(text)));
        ++s->insertAt;
        return;
    }

    if (Line* last = lastLine()) terminate(*last);
    Section added;
    added.header = makeLine("[" + cleanSection + "]\r\n");
    added.lines.push_back(makeLine(cleanKey + "=" + cleanValue + "\r\n"));
    added.insertAt = 1;
    // Indexed under the name it will be read back as, which differs from the
    // one given only for names holding a ']'.
    if (added.header.kind == Kind::Header) {
        const std::string_view name = lineName(added.header);
        if (index_.find(name) == index_.end()) index_.emplace(std::string(name), sections_.size());
    }
    sections_.push_back(std::move(added));
}

std::string ProfileDocument::serialize() const {
    std::size_t total = bomLength_;
    auto count = [&total](const std::vector<Line>& lines) {
        for (const Line& line : lines) total += line.length;
    };
    count(preamble_);
    for (const Section& s : sections_) {
        total += s.header.length;
        count(s.lines);
    }

    std::string out;
    out.reserve(total);
    out.append(source_, 0, bomLength_);
    auto emit = [this, &out](const std::vector<Line>& lines) {
        for (const Line& line : lines) out.append(lineText(line));
    };
    emit(preamble_);
    for (const Section& s : sections_) {
        out.append(lineText(s.header));
        emit(s.lines);
    }
    return out;
}

int32_t parseProfileInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    // Unsigned arithmetic wraps by definition, so any run of digits gives the
    // same answer on every build.
    std::uint32_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = magnitude * 10u + static_cast<std::uint32_t>(text[i] - '0');
    }
    if (negative) magnitude = 0u - magnitude;
    return static_cast<int32_t>(magnitude);
}

}  // namespace zat
