// A program's command-line options as data: one row per option with its name,
// value, check and help. The parser takes options through the rows, and the
// --help text, the man page and the shell completion are all written from
// them, so they cannot disagree. Plain C++, so every program may use it.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zat::options {

// What the shell offers for an option's value or a command's word.
struct Completion {
    enum class Kind { Nothing, Files, Words };
    Kind kind = Kind::Nothing;
    std::string_view pattern;  // Files: the extension (".zat"), empty for any; Words: "ai|ao|di"
};

constexpr Completion filesLike(std::string_view extension) { return {Completion::Kind::Files, extension}; }
constexpr Completion oneOf(std::string_view words) { return {Completion::Kind::Words, words}; }

// What the help, the man page and the completion know of an option.
struct OptionText {
    std::string_view name{};       // "--port"
    std::string_view shortName{};  // "-q", or empty
    std::string_view value{};      // "N"; empty for a switch
    std::string_view help{};       // lines joined by '\n'
    Completion completion{};
};

// One row. `take` checks a value and stores it in the target: none when
// taken, otherwise what is wrong with it (the program words the message
// around it). A switch's take is given an empty value.
template <typename Target>
struct Option {
    std::string_view name{};
    std::string_view shortName{};
    std::string_view value{};
    std::string_view help{};
    std::function<std::optional<std::string>(Target&, const std::string&)> take{};
    Completion completion{};
    std::string_view missing{};  // said when the value is missing; empty: "NAME needs a value"

    [[nodiscard]] OptionText text() const { return {name, shortName, value, help, completion}; }
    [[nodiscard]] bool names(std::string_view word) const {
        return word == name || (!shortName.empty() && word == shortName);
    }
};

template <typename Target>
using OptionTable = std::vector<Option<Target>>;

// The take of a switch that sets `field`.
template <typename Target>
[[nodiscard]] auto setting(bool Target::*field) {
    return [field](Target& target, const std::string&) -> std::optional<std::string> {
        target.*field = true;
        return std::nullopt;
    };
}

template <typename Target>
[[nodiscard]] std::vector<OptionText> textsOf(const OptionTable<Target>& table) {
    std::vector<OptionText> texts;
    for (const Option<Target>& option : table) texts.push_back(option.text());
    return texts;
}

// What taking one word of the command line as an option came to.
struct Taken {
    enum class Status { NotAnOption, Taken, MissingValue, BadValue };
    Status status = Status::NotAnOption;
    std::string name{};     // the option as written
    std::string value{};    // its value, when it takes one
    std::string problem{};  // MissingValue: the row's `missing`; BadValue: what the check said
};

// Takes args[at] when a row names it, with its value from the next word; `at`
// is left on the last word used.
template <typename Target>
[[nodiscard]] Taken takeOption(const OptionTable<Target>& table, const std::vector<std::string>& args, std::size_t& at,
                               Target& target) {
    const std::string& word = args[at];
    for (const Option<Target>& option : table) {
        if (!option.names(word)) continue;
        Taken taken{.status = Taken::Status::Taken, .name = word};
        if (!option.value.empty()) {
            if (at + 1 >= args.size()) {
                taken.status = Taken::Status::MissingValue;
                taken.problem = option.missing.empty() ? word + " needs a value" : std::string(option.missing);
                return taken;
            }
            taken.value = args[++at];
        }
        if (auto problem = option.take(target, taken.value)) {
            taken.status = Taken::Status::BadValue;
            taken.problem = std::move(*problem);
        }
        return taken;
    }
    return {};
}

// "-q, --quiet" or "--port N": how the help and the man page name an option.
[[nodiscard]] std::string optionLabel(const OptionText& option);

// The column the help of these options starts in: three spaces after the
// longest label, at most 20 (a longer label takes a line of its own).
[[nodiscard]] int helpWidth(const std::vector<OptionText>& options);

// The help lines of the options: two spaces, the label padded to `width`, the
// help; its further lines, and the help of a longer label, indented to match.
[[nodiscard]] std::string optionHelp(const std::vector<OptionText>& options, int width);

}  // namespace zat::options
