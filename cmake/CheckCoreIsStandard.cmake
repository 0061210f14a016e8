# Fails when a core source includes a Qt header or a platform's own (POSIX, Windows): the core
# is standard C++ alone, so every front end builds it as it is.
string(REPLACE "|" ";" FILES "${FILES}")
foreach(file IN LISTS FILES)
  if(NOT IS_ABSOLUTE "${file}")
    set(file "${SOURCE_DIR}/${file}")
  endif()
  file(STRINGS "${file}" hits REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q|qt)")
  if(hits)
    message(FATAL_ERROR "The game core must not include Qt: ${file}: ${hits}")
  endif()
  file(STRINGS "${file}" hits
       REGEX "^[ \t]*#[ \t]*include[ \t]*<(unistd|fcntl|dirent|pthread|signal|windows|winbase)\\.h>|<sys/")
  if(hits)
    message(FATAL_ERROR "The game core must be standard C++ alone: ${file}: ${hits}")
  endif()
endforeach()
file(TOUCH "${STAMP}")
