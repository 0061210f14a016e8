#pragma once

#include <emscripten/val.h>

namespace vertuno::web {

// The page's side of each call the machine makes lives in page.js, under Module.page.
inline emscripten::val page() { return emscripten::val::module_property("page"); }

// The core's layout tables, the outlines and the numbers of the machine's input as one object of the
// page's own, so the page builds every element from them and writes no datum of its own.
emscripten::val pageTables();

}  // namespace vertuno::web
