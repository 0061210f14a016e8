# The real game under a real X server: these need the desktop that tests/e2e/desktop.sh starts.
add_executable(expected_look e2e/expected_look.cpp)
target_link_libraries(expected_look PRIVATE vertuno_shell)

# Debian's own interpreter, which has Debian's imaging library.
find_program(VERTUNO_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)

foreach(suite machine_window play totals demo empty_purse reliability memory install)
  add_test(NAME e2e_${suite}
           COMMAND ${VERTUNO_PYTHON} -m unittest -v test_${suite}
           WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/e2e)
  set_tests_properties(e2e_${suite} PROPERTIES
    LABELS e2e
    RUN_SERIAL TRUE
    ENVIRONMENT "VERTUNO_BUILD=${CMAKE_BINARY_DIR}"
    TIMEOUT 400)
endforeach()
