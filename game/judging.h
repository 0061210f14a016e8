#pragma once

#include <optional>
#include <string_view>

namespace vertuno {

// The prize the ordered rules give a three-digit combination, or nothing when no rule matches.
std::optional<int> prizeFor(std::string_view combination);

}  // namespace vertuno
