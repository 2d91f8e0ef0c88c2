// Windows-1252 <-> UTF-8. Comments are kept as Windows-1252 bytes in the
// model, the files and on the wire; the GUI shows and edits them as UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace zat {

// Every byte converts, the five unassigned ones (0x81 0x8D 0x8F 0x90 0x9D) to
// the C1 control of the same value as Windows does, so any byte string comes
// back unchanged through utf8ToCp1252.
std::string cp1252ToUtf8(std::string_view bytes);

// A character with no Windows-1252 byte, and each malformed UTF-8 sequence
// (stray or missing continuation bytes, overlong forms, surrogates, values
// past U+10FFFF), becomes "?".
std::string utf8ToCp1252(std::string_view utf8);

}  // namespace zat
