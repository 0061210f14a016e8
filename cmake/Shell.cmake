# The Qt 6 shell: the windows, the desktop host, the artwork and the sounds.
find_package(Qt6 6.4 REQUIRED COMPONENTS Widgets Multimedia Svg SvgWidgets)
set(CMAKE_AUTOMOC ON)

# The program's folder: the executable with its sounds beside it.
set(VERTUNO_PROGRAM_FOLDER ${CMAKE_BINARY_DIR}/vertuno)

add_library(vertuno_shell STATIC
  board/cell_view.cpp
  machine/cabinet_faces.cpp
  machine/fonts.cpp
  machine/hot_spot.cpp
  machine/machine_window.cpp
  machine/qt_host.cpp
  machine/sound_player.cpp
  stats/about_window.cpp
  stats/centred_window.cpp
  stats/info_window_view.cpp
  stats/totals_location.cpp
)
target_link_libraries(vertuno_shell PUBLIC vertuno_core Qt6::Widgets Qt6::Multimedia Qt6::Svg Qt6::SvgWidgets)
qt_add_resources(vertuno_shell artwork
  PREFIX /
  FILES
    assets/cabinet.svg
    assets/player.svg
    assets/coins.svg
    assets/emblem.svg
    assets/icon.svg
)

add_executable(vertuno machine/main.cpp)
target_link_libraries(vertuno PRIVATE vertuno_shell)
set_target_properties(vertuno PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VERTUNO_PROGRAM_FOLDER})

add_executable(make_sounds assets/make_sounds.cpp)
add_custom_command(
  OUTPUT ${VERTUNO_PROGRAM_FOLDER}/click.wav ${VERTUNO_PROGRAM_FOLDER}/sound.wav
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VERTUNO_PROGRAM_FOLDER}
  COMMAND make_sounds ${VERTUNO_PROGRAM_FOLDER}
  DEPENDS make_sounds
  COMMENT "Synthesising the machine's sounds")
add_custom_target(sounds ALL DEPENDS ${VERTUNO_PROGRAM_FOLDER}/click.wav ${VERTUNO_PROGRAM_FOLDER}/sound.wav)
add_dependencies(vertuno sounds)
