# Builds Windows executables with Debian's mingw-w64 and runs them under Wine:
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
# The POSIX thread model gives std::thread and std::mutex, which GoogleTest uses.
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# One executable with no DLLs beside it: the compiler's runtime is linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
find_program(VERTUNO_WINE wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(VERTUNO_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VERTUNO_WINE})
endif()
# mingw-w64's GCC 12 inlines std::string's assignments at -O2 and then warns of overlapping
# copies that cannot happen (GCC bug 105329); every other warning stays on.
set(CMAKE_CXX_FLAGS_INIT "-Wno-restrict")
