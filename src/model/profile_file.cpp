#include "model/profile_file.h"

namespace zat {

FileResult readProfileFile(const std::string& path, ProfileDocument& doc) {
    std::string bytes;
    FileResult result = readWholeFile(path, bytes);
    if (result.ok) doc = ProfileDocument::parseOwned(std::move(bytes));
    return result;
}

FileResult readProfileForUpdate(const std::string& path, ProfileDocument& doc) {
    FileResult result = readProfileFile(path, doc);
    if (result.missing) {
        doc = ProfileDocument();
        result = FileResult{true, false, {}};
    }
    return result;
}

void reportUnableToWrite(Prompts& prompts, const std::string& path, const std::string& reason) {
    prompts.show("Unable to write file " + path + "\n" + reason, "Error", MessageIcon::Stop, MessageButtons::Ok);
}

void reportUnableToRead(Prompts& prompts, const std::string& path, const std::string& reason) {
    prompts.show(unableToReadMessage(path, reason), "Error", MessageIcon::Stop, MessageButtons::Ok);
}

std::string unableToReadMessage(const std::string& path, const std::string& reason) {
    return "Unable to read file " + path + "\n" + reason;
}

}  // namespace zat
