// Whole-file reads and crash-safe whole-file writes.
#pragma once

#include <string>

namespace zat {

struct FileResult {
    bool ok = false;
    bool missing = false;   // the file does not exist (reads only)
    std::string reason;     // the system's reason when !ok, e.g. "Permission denied"
};

// Reads the whole file into `bytes`.
FileResult readWholeFile(const std::string& path, std::string& bytes);

// Writes `bytes` to a temporary file beside `path`, flushes it to disk and
// renames it over `path`, so the target is either the old file or the new
// one, never a truncated mixture. A symbolic link at `path` is followed and
// the file it names is replaced; the permissions of an existing target are
// kept.
FileResult writeFileAtomically(const std::string& path, const std::string& bytes);

}  // namespace zat
