// The program's name as its windows and message boxes show it.
#pragma once

#include <string_view>

namespace zat {

// The caption of message boxes that name no caption of their own.
inline constexpr std::string_view kApplicationTitle = " KVL ZAT V2 Setup Utility";

}  // namespace zat
