# The Qt 6 shell: the windows, the desktop host, the artwork and the sounds.
find_package(Qt6 6.4 REQUIRED COMPONENTS Widgets Network Multimedia Svg SvgWidgets)
qt_standard_project_setup()

# The program's folder: the executable with its sounds beside it.
set(VERTUNO_PROGRAM_FOLDER ${CMAKE_BINARY_DIR}/vertuno)

add_library(vertuno_shell STATIC
  board/cell_view_qt.cpp
  machine/cabinet_faces_qt.cpp
  machine/command_line_qt.cpp
  machine/destroyed_window_qt.cpp
  machine/display_opening_qt.cpp
  machine/fonts_qt.cpp
  machine/hot_spot_qt.cpp
  machine/machine_window_qt.cpp
  machine/one_machine_per_file_qt.cpp
  machine/platform_qt.cpp
  machine/view_qt.cpp
  machine/run_game_qt.cpp
  machine/sound_player_qt.cpp
  stats/about_window_qt.cpp
  stats/centred_window_qt.cpp
  stats/info_window_view_qt.cpp
  stats/totals_location_qt.cpp
)
# Qt's headers are most of every shell file's compile: parse them once per target.
set(VERTUNO_QT_HEADERS <QApplication> <QPainter> <QWidget> <QLabel> <QPushButton> <QTimer>
    <QMouseEvent> <QPixmap> <QImage> <QString> <QMessageBox>)
target_precompile_headers(vertuno_shell PRIVATE ${VERTUNO_QT_HEADERS})
target_compile_definitions(vertuno_shell PRIVATE VERTUNO_VERSION="${PROJECT_VERSION}")
target_link_libraries(vertuno_shell PUBLIC vertuno_core vertuno_platform_posix Qt6::Widgets Qt6::Network Qt6::Multimedia Qt6::Svg Qt6::SvgWidgets)
qt_add_resources(vertuno_shell artwork
  PREFIX /
  FILES
    assets/cabinet.svg
    assets/player.svg
    assets/coins.svg
    assets/emblem.svg
    assets/icon.svg
)

qt_add_executable(vertuno machine/main_qt.cpp)
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

# The icon theme's PNG sizes, rendered from the SVG icon.
set(VERTUNO_ICON_SIZES 16 24 32 48 64 128 256)
set(VERTUNO_ICON_FOLDER ${CMAKE_BINARY_DIR}/icons)
qt_add_executable(render_icon assets/render_icon_qt.cpp)
target_link_libraries(render_icon PRIVATE Qt6::Gui Qt6::Svg)
set(VERTUNO_ICON_PNGS "")
foreach(size IN LISTS VERTUNO_ICON_SIZES)
  list(APPEND VERTUNO_ICON_PNGS ${VERTUNO_ICON_FOLDER}/${size}.png)
endforeach()
add_custom_command(
  OUTPUT ${VERTUNO_ICON_PNGS}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VERTUNO_ICON_FOLDER}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
          $<TARGET_FILE:render_icon> ${CMAKE_CURRENT_SOURCE_DIR}/assets/icon.svg ${VERTUNO_ICON_FOLDER}
          ${VERTUNO_ICON_SIZES}
  DEPENDS render_icon assets/icon.svg
  COMMENT "Rendering the icon's sizes")
add_custom_target(icons ALL DEPENDS ${VERTUNO_ICON_PNGS})

# The Windows front end's bitmaps and sounds, made here because its cross build cannot run Qt.
set(VERTUNO_WINDOWS_ARTWORK ${CMAKE_BINARY_DIR}/windows-artwork)
qt_add_executable(render_artwork assets/render_artwork_qt.cpp)
target_link_libraries(render_artwork PRIVATE vertuno_shell)
set(VERTUNO_WINDOWS_BITMAPS cabinet.bmp demo.bmp coins.bmp emblem.bmp icon.ico)
list(TRANSFORM VERTUNO_WINDOWS_BITMAPS PREPEND ${VERTUNO_WINDOWS_ARTWORK}/)
add_custom_command(
  OUTPUT ${VERTUNO_WINDOWS_BITMAPS}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VERTUNO_WINDOWS_ARTWORK}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
          $<TARGET_FILE:render_artwork> ${VERTUNO_WINDOWS_ARTWORK}
  COMMAND ${CMAKE_COMMAND} -E copy ${VERTUNO_PROGRAM_FOLDER}/click.wav ${VERTUNO_PROGRAM_FOLDER}/sound.wav
          ${VERTUNO_WINDOWS_ARTWORK}
  DEPENDS render_artwork sounds assets/cabinet.svg assets/player.svg assets/coins.svg assets/emblem.svg assets/icon.svg
  COMMENT "Rendering the Windows front end's artwork")
add_custom_target(windows_artwork ALL DEPENDS ${VERTUNO_WINDOWS_BITMAPS})

# Installed like a native game: the program's folder as one unit, a launcher, a desktop entry
# and the icon in the theme. The folder is not the user's to write, so the money then lives in
# the user's data folder.
include(GNUInstallDirs)
set(VERTUNO_APP_ID io.github.vertuno.Vertuno)
set(VERTUNO_INSTALL_FOLDER lib/vertuno)
# Debian keeps games' launchers in games/, which its users have on their path.
set(VERTUNO_LAUNCHER_FOLDER games)
install(TARGETS vertuno RUNTIME DESTINATION ${VERTUNO_INSTALL_FOLDER})
install(FILES ${VERTUNO_PROGRAM_FOLDER}/click.wav ${VERTUNO_PROGRAM_FOLDER}/sound.wav
        DESTINATION ${VERTUNO_INSTALL_FOLDER})
install(CODE "
  file(WRITE \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${VERTUNO_INSTALL_FOLDER}/installed\"
       \"Installed: the money lives in each user's data folder.\\n\")
  file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${VERTUNO_LAUNCHER_FOLDER}\")
  file(CREATE_LINK ../${VERTUNO_INSTALL_FOLDER}/vertuno
       \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${VERTUNO_LAUNCHER_FOLDER}/vertuno\" SYMBOLIC)")
install(FILES assets/${VERTUNO_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES assets/icon.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${VERTUNO_APP_ID}.svg)
foreach(size IN LISTS VERTUNO_ICON_SIZES)
  install(FILES ${VERTUNO_ICON_FOLDER}/${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${VERTUNO_APP_ID}.png)
endforeach()
include(cmake/Package.cmake)
