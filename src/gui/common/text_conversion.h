// Texts between the core and Qt. The core hands over UTF-8 (comments come
// out of their 30-byte Windows-1252 fields as UTF-8 through commentText, and
// go back through commentFromText); every window, editor, monitor, printout
// and the shell convert to and from QString here and nowhere else.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace zat {

QString toQString(std::string_view utf8);
std::string toUtf8(const QString& text);

}  // namespace zat
