# Fails when a core file includes a Qt header or a platform's own (POSIX, Windows): the core
# is standard C++ alone, so every front end builds it as it is.
string(REPLACE "|" ";" FILES "${FILES}")
foreach(file IN LISTS FILES)
  file(STRINGS "${file}" hits REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q|qt)")
  if(hits)
    message(FATAL_ERROR "The game core must not include Qt: ${file}: ${hits}")
  endif()
  file(STRINGS "${file}" hits
       REGEX "^[ \t]*#[ \t]*include[ \t]*<(unistd|fcntl|dirent|pthread|signal|windows|winbase|xcb/[a-z_]+|X11/[A-Za-z]+|emscripten|emscripten/[a-z_]+)\\.h>|<sys/")
  if(hits)
    message(FATAL_ERROR "The game core must be standard C++ alone: ${file}: ${hits}")
  endif()
endforeach()
file(TOUCH "${STAMP}")
