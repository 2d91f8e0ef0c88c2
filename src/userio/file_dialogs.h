// The file open and save dialogs, as the commands ask for them. The GUI shows
// Qt's dialogs; the tests answer from a script.
#pragma once

#include <optional>
#include <string>

namespace zat {

struct FileDialogRequest {
    std::string title;              // "Select ZAT database file to open"
    std::string filter;             // "ZAT Files (*.zat)"
    std::string defaultExtension;   // "ZAT": added to a name typed without one
    std::string initialDirectory;   // empty: the current folder
    std::string proposedName;       // the name field's first content
    bool mustExist = false;         // open: only an existing file
    bool confirmOverwrite = false;  // save: ask before replacing a file
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<std::string> openFileName(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> saveFileName(const FileDialogRequest& request) = 0;
};

// For callers with nobody to ask (the command-line tool): always cancelled.
class NoFileDialogs final : public FileDialogs {
public:
    std::optional<std::string> openFileName(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> saveFileName(const FileDialogRequest&) override { return std::nullopt; }
};

}  // namespace zat
