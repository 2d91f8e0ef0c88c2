#include "options/option_table.h"

#include <algorithm>

namespace zat::options {

std::string optionLabel(const OptionText& option) {
    std::string label = option.shortName.empty() ? std::string() : std::string(option.shortName) + ", ";
    label += option.name;
    if (!option.value.empty()) label += " " + std::string(option.value);
    return label;
}

int helpWidth(const std::vector<OptionText>& options) {
    constexpr std::size_t kGap = 3;
    constexpr std::size_t kWidest = 20;
    std::size_t width = 0;
    for (const OptionText& option : options) width = std::max(width, optionLabel(option).size() + kGap);
    return static_cast<int>(std::min(width, kWidest));
}

std::string optionHelp(const std::vector<OptionText>& options, int width) {
    const std::string indent(static_cast<std::size_t>(width) + 2, ' ');
    std::string text;
    for (const OptionText& option : options) {
        std::string label = "  " + optionLabel(option);
        // A label that fills its column takes a line of its own.
        if (label.size() >= indent.size())
            label += "\n" + indent;
        else
            label.resize(indent.size(), ' ');
        text += label;
        std::string_view help = option.help;
        while (true) {
            const std::size_t end = help.find('\n');
            text += std::string(help.substr(0, end)) + "\n";
            if (end == std::string_view::npos) break;
            help.remove_prefix(end + 1);
            text += indent;
        }
    }
    return text;
}

}  // namespace zat::options
