// Whole-file reads and crash-safe whole-file writes.
#pragma once

#include <cstddef>
#include <string>

namespace zat {

struct FileResult {
    bool ok = false;
    bool missing = false;  // the file does not exist (reads only)
    std::string reason;    // the system's reason when !ok, e.g. "Permission denied"
};

// The largest file readWholeFile takes. A database is about 31 KB; anything
// near this is no file of ours, and reading it whole would only eat memory.
inline constexpr std::size_t kMaxFileSize = std::size_t{16} * 1024 * 1024;

// Reads the whole file into `bytes`. Only regular files of at most
// kMaxFileSize bytes are read: a FIFO, a device or a folder is refused without
// waiting for a writer or reading without end.
[[nodiscard]] FileResult readWholeFile(const std::string& path, std::string& bytes);

// Writes `bytes` to a temporary file beside `path`, flushes it to disk and
// renames it over `path`, so the target is either the old file or the new
// one, never a truncated mixture. A symbolic link at `path` is followed and
// the file it names is replaced; the permissions of an existing target are
// kept. Only a regular file (or none) is replaced: a device, FIFO, socket or
// folder at `path`, or at the end of its links, is refused untouched. Bytes
// over kMaxFileSize are refused too, so no file is written that
// readWholeFile would not read back.
//
// The temporary file has no name until it is complete where the system
// allows (O_TMPFILE), and a save clears away the temporary files that
// interrupted saves of the same target left behind.
//
// Where no file can be made beside the target (a folder the user may not
// write to) but the target itself may be written, it is rewritten in place
// instead; that is not crash-safe, but it is what the user may do.
[[nodiscard]] FileResult writeFileAtomically(const std::string& path, const std::string& bytes);

namespace file_io_detail {
// How the temporary file is made: unnamed where possible, or named from the
// start (the fallback where the file system has no O_TMPFILE). For tests of
// the fallback on systems that do not need it.
enum class TempFile { Unnamed, Named };
[[nodiscard]] FileResult writeFileAtomically(const std::string& path, const std::string& bytes, TempFile temp);
}  // namespace file_io_detail

}  // namespace zat
