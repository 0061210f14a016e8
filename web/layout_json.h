#pragma once

#include <string>

namespace vertuno::web {

// The core's layout tables, the outlines and the page's event numbers as one JSON text, so
// the page builds every element from them and writes no datum of its own.
std::string layoutJson();

}  // namespace vertuno::web
