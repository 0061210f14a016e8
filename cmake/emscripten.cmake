# Builds WebAssembly with Debian's emscripten and runs its tests under node:
#   NODE_PATH=/usr/share/nodejs cmake -S . -B build-web -DCMAKE_TOOLCHAIN_FILE=cmake/emscripten.cmake
# The optimiser's JavaScript passes load Debian's node modules, hence NODE_PATH at build time.
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)
find_program(VERTUNO_NODE node REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${VERTUNO_NODE})
# What this emscripten's standard library lacks, filled in for every target (emscripten/).
set(CMAKE_CXX_STANDARD_INCLUDE_DIRECTORIES ${CMAKE_CURRENT_LIST_DIR}/emscripten)
