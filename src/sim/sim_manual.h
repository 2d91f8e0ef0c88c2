// zat-unit-sim's manual page, written from its option table and help.
#pragma once

#include <string>
#include <string_view>

namespace zat::sim {

std::string simManual(std::string_view version);

}  // namespace zat::sim
