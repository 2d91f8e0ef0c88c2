#include "options/man_page.h"

namespace zat::options {

namespace {

std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

std::string escaped(std::string_view text) {
    std::string roff;
    for (char c : text) {
        if (c == '\\')
            roff += "\\e";
        else if (c == '-')
            roff += "\\-";
        else
            roff += c;
    }
    return roff;
}

}  // namespace

std::string roffLine(std::string_view line) {
    const bool looksLikeRequest = !line.empty() && (line[0] == '.' || line[0] == '\'');
    return (looksLikeRequest ? "\\&" : "") + escaped(line) + "\n";
}

std::string roffText(std::string_view text) {
    std::string roff;
    bool unfilled = false;
    bool paragraphDue = false;
    for (std::string_view line : linesOf(text)) {
        const bool indented = !line.empty() && line[0] == ' ';
        if (unfilled && !indented) {
            roff += ".fi\n.RE\n";
            unfilled = false;
        }
        if (line.empty()) {
            paragraphDue = !roff.empty();
            continue;
        }
        if (paragraphDue) {
            roff += ".PP\n";
            paragraphDue = false;
        }
        if (indented && !unfilled) {
            roff += ".RS 4\n.nf\n";
            unfilled = true;
        }
        roff += roffLine(indented ? line.substr(line.find_first_not_of(' ')) : line);
    }
    if (unfilled) roff += ".fi\n.RE\n";
    return roff;
}

std::string roffOptions(const std::vector<OptionText>& options) {
    std::string roff;
    for (const OptionText& option : options) {
        roff += ".TP\n";
        if (!option.shortName.empty()) roff += "\\fB" + escaped(option.shortName) + "\\fR, ";
        roff += "\\fB" + escaped(option.name) + "\\fR";
        if (!option.value.empty()) roff += " \\fI" + escaped(option.value) + "\\fR";
        roff += "\n";
        for (std::string_view line : linesOf(option.help)) roff += roffLine(line);
    }
    return roff;
}

std::string manPage(const ManPage& page) {
    std::string upper(page.name);
    for (char& c : upper) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    std::string roff = ".TH " + escaped(upper) + " 1 \"\" \"ZAT Setup " + std::string(page.version) +
                       "\" \"User Commands\"\n.SH NAME\n" + escaped(page.name) + " \\- " + escaped(page.summary) + "\n";
    for (const ManSection& section : page.sections) roff += ".SH " + section.heading + "\n" + section.body;
    return roff;
}

}  // namespace zat::options
