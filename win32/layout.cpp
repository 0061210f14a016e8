#include "win32/layout.h"

#include <charconv>

namespace vertuno::win32 {

int controlNumber(std::string_view name) {
  int number = 0;
  const std::size_t first = name.find_first_of("0123456789");
  if (first != std::string_view::npos) std::from_chars(name.data() + first, name.data() + name.size(), number);
  return number;
}

}  // namespace vertuno::win32
