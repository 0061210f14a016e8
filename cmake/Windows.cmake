# The native Windows front end: one executable on the Win32 API alone, with its artwork in its
# resources and its sounds beside it. The bitmaps and sounds come from a Linux build's
# windows_artwork target, since this build cannot run the Qt renderer.
set(VERTUNO_ARTWORK "" CACHE PATH "A Linux build's windows-artwork folder")
if(NOT EXISTS "${VERTUNO_ARTWORK}/cabinet.bmp")
  message(FATAL_ERROR "VERTUNO_ARTWORK must name a Linux build's windows-artwork folder "
                      "(cmake --build build --target windows_artwork); see scripts/build_windows.sh")
endif()
enable_language(RC)
set(VERTUNO_PROGRAM_FOLDER ${CMAKE_BINARY_DIR}/vertuno)
configure_file(assets/resources_win32.rc.in ${CMAKE_BINARY_DIR}/resources_win32.rc @ONLY)

add_executable(vertuno_exe WIN32
  machine/main_win32.cpp
  machine/fonts_win32.cpp
  machine/machine_window_win32.cpp
  machine/one_machine_per_file_win32.cpp
  machine/platform_win32.cpp
  machine/text_win32.cpp
  machine/view_win32.cpp
  stats/about_window_win32.cpp
  stats/durable_file_win32.cpp
  stats/info_window_win32.cpp
  stats/side_window_win32.cpp
  stats/totals_location_win32.cpp
  ${CMAKE_BINARY_DIR}/resources_win32.rc
)
target_include_directories(vertuno_exe PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_definitions(vertuno_exe PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)
# A release carries no symbols: the player downloads one small file.
target_link_options(vertuno_exe PRIVATE -municode $<$<CONFIG:Release>:-s>)
target_link_libraries(vertuno_exe PRIVATE vertuno_core winmm shell32 ole32 gdi32 user32)
set_target_properties(vertuno_exe PROPERTIES OUTPUT_NAME vertuno RUNTIME_OUTPUT_DIRECTORY ${VERTUNO_PROGRAM_FOLDER})
add_custom_command(TARGET vertuno_exe POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy ${VERTUNO_ARTWORK}/click.wav ${VERTUNO_ARTWORK}/sound.wav ${VERTUNO_PROGRAM_FOLDER})

if(VERTUNO_TESTS)
  # What the black-box suite reads the program's controls with.
  add_executable(probe tests/e2e/probe_win32.cpp)
  target_compile_definitions(probe PRIVATE UNICODE _UNICODE)
  target_link_options(probe PRIVATE -municode)
  # The game under Wine on a desktop of its own; the unit tests' run has made Wine's prefix.
  add_test(NAME e2e_windows COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tests/e2e/run_suite.sh test_windows)
  set_tests_properties(e2e_windows PROPERTIES LABELS e2e DEPENDS unit_tests TIMEOUT 300
    ENVIRONMENT "VERTUNO_WINDOWS_BUILD=${CMAKE_BINARY_DIR};WINEDLLOVERRIDES=mscoree,mshtml=")
endif()
