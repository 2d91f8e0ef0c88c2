#include "commands/file_names.h"

#include <algorithm>
#include <cctype>

namespace zat {

namespace {

std::string lowerCase(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

std::string upperCase(std::string_view text) {
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return upper;
}

}  // namespace

std::string fileNameOnly(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool hasExtension(const std::string& path, std::string_view extension) {
    const std::string name = fileNameOnly(path);
    return name.size() > extension.size() &&
           lowerCase(std::string_view(name).substr(name.size() - extension.size())) == lowerCase(extension);
}

bool checkExtension(const std::string& path, std::string_view extension, Prompts& prompts, Beep& beep) {
    if (hasExtension(path, extension)) return true;
    beep.exclamation();
    prompts.show("Must be a " + upperCase(extension) + " file", "Error", MessageIcon::Stop, MessageButtons::Ok);
    return false;
}

std::string withExtension(const std::string& fileName, std::string_view extension) {
    const std::size_t dot = fileName.rfind('.');
    const std::size_t slash = fileName.rfind('/');
    const bool hasDot = dot != std::string::npos && (slash == std::string::npos || dot > slash) && dot != 0 &&
                        (slash == std::string::npos || dot != slash + 1);
    return (hasDot ? fileName.substr(0, dot) : fileName) + std::string(extension);
}

}  // namespace zat
