// File dialogs answered from a script, with every request kept.
#pragma once

#include "userio/file_dialogs.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace zat::test {

class ScriptedFileDialogs final : public FileDialogs {
public:
    // The answers in turn; nothing (Cancel) once used up.
    std::deque<std::optional<std::string>> answers;
    struct Asked {
        bool save;
        FileDialogRequest request;
    };
    std::vector<Asked> asked;

    std::optional<std::string> openFileName(const FileDialogRequest& request) override { return next(false, request); }
    std::optional<std::string> saveFileName(const FileDialogRequest& request) override { return next(true, request); }

private:
    std::optional<std::string> next(bool save, const FileDialogRequest& request) {
        asked.push_back({save, request});
        if (answers.empty()) return std::nullopt;
        std::optional<std::string> answer = std::move(answers.front());
        answers.pop_front();
        return answer;
    }
};

}  // namespace zat::test
