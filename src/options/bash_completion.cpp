#include "options/bash_completion.h"

namespace zat::options {

std::string bashHelpers() {
    return "_zat_files() {\n"
           "    local IFS=$'\\n'\n"
           "    compopt -o filenames 2>/dev/null\n"
           "    if [[ -n $1 ]]; then\n"
           "        COMPREPLY=($(compgen -f -X \"!$1\" -- \"$cur\") $(compgen -d -- \"$cur\"))\n"
           "    else\n"
           "        COMPREPLY=($(compgen -f -- \"$cur\"))\n"
           "    fi\n"
           "}\n"
           "_zat_words() {\n"
           "    COMPREPLY=($(compgen -W \"$1\" -- \"$cur\"))\n"
           "}\n"
           "_zat_list() {\n"
           "    local prefix=\n"
           "    [[ $cur == *,* ]] && prefix=${cur%,*},\n"
           "    compopt -o nospace 2>/dev/null\n"
           "    COMPREPLY=($(compgen -P \"$prefix\" -W \"$1\" -- \"${cur##*,}\"))\n"
           "}\n";
}

namespace {

// "ai|ao" as compgen's word list "ai ao".
std::string wordList(std::string_view choices) {
    std::string words(choices);
    for (char& c : words)
        if (c == '|') c = ' ';
    return words;
}

}  // namespace

std::string bashCompleting(const Completion& completion) {
    switch (completion.kind) {
        case Completion::Kind::Files:
            return completion.pattern.empty() ? "_zat_files ''"
                                              : "_zat_files '*" + std::string(completion.pattern) + "'";
        case Completion::Kind::Words:
            return "_zat_words '" + wordList(completion.pattern) + "'";
        case Completion::Kind::Nothing:
            break;
    }
    return {};
}

std::string bashNames(const std::vector<OptionText>& options) {
    std::string names;
    for (const OptionText& option : options) {
        names += (names.empty() ? "" : " ") + std::string(option.name);
        if (!option.shortName.empty()) names += " " + std::string(option.shortName);
    }
    return names;
}

std::string bashValueArms(const std::vector<OptionText>& options) {
    std::string arms;
    for (const OptionText& option : options) {
        if (option.value.empty()) continue;
        std::string command = bashCompleting(option.completion);
        // A value that is a comma list completes each item.
        if (option.completion.kind == Completion::Kind::Words && option.value.find("LIST") != std::string_view::npos)
            command = "_zat_list '" + wordList(option.completion.pattern) + "'";
        arms += "        " + std::string(option.name);
        if (!option.shortName.empty()) arms += "|" + std::string(option.shortName);
        arms += ")\n";
        if (!command.empty()) arms += "            " + command + "\n";
        arms += "            return ;;\n";
    }
    return arms;
}

std::vector<Completion> synopsisWords(std::string_view synopsis) {
    std::vector<Completion> words;
    std::size_t start = synopsis.find(' ');  // after the command's name
    while (start != std::string_view::npos) {
        start = synopsis.find_first_not_of(' ', start);
        if (start == std::string_view::npos || synopsis[start] == '[') break;
        const std::size_t end = synopsis.find(' ', start);
        const std::string_view word = synopsis.substr(start, end == std::string_view::npos ? end : end - start);
        if (word.find('|') != std::string_view::npos) {
            words.push_back({Completion::Kind::Words, word});
        } else {
            const std::size_t dot = word.rfind('.');
            words.push_back(dot == std::string_view::npos ? filesLike("")
                                                          : Completion{Completion::Kind::Files, word.substr(dot)});
        }
        start = end;
    }
    return words;
}

}  // namespace zat::options
