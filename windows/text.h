#pragma once

#include <string>
#include <string_view>

namespace vertuno::windows {

// The machine speaks UTF-8; Windows speaks UTF-16.
std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view wide);

}  // namespace vertuno::windows
