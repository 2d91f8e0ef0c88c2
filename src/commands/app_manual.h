// zatsetup's manual page, written from its option table and help.
#pragma once

#include <string>
#include <string_view>

namespace zat {

std::string appManual(std::string_view version);

}  // namespace zat
