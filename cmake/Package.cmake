# The Debian package: cpack -G DEB in the build folder gives vertuno_VERSION_ARCH.deb.
set(VERTUNO_DOC_FOLDER ${CMAKE_INSTALL_DATADIR}/doc/vertuno)
# Packing and installing take what the build made; they do not build the whole tree first, the
# tests with it: "cmake --build" comes before "cmake --install", as the README says.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

# Debian wants the manual and the change log compressed, with no time stamp in them.
set(VERTUNO_PACKAGE_FILES ${CMAKE_BINARY_DIR}/package)
add_custom_command(
  OUTPUT ${VERTUNO_PACKAGE_FILES}/vertuno.6.gz ${VERTUNO_PACKAGE_FILES}/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VERTUNO_PACKAGE_FILES}
  COMMAND sh -c "gzip -9nc \"$0\" > \"$1\"" ${PROJECT_SOURCE_DIR}/assets/vertuno.6
          ${VERTUNO_PACKAGE_FILES}/vertuno.6.gz
  COMMAND sh -c "gzip -9nc \"$0\" > \"$1\"" ${PROJECT_SOURCE_DIR}/assets/changelog
          ${VERTUNO_PACKAGE_FILES}/changelog.gz
  DEPENDS ${PROJECT_SOURCE_DIR}/assets/vertuno.6 ${PROJECT_SOURCE_DIR}/assets/changelog
  COMMENT "Compressing the manual and the change log"
  VERBATIM)
add_custom_target(package_files ALL
  DEPENDS ${VERTUNO_PACKAGE_FILES}/vertuno.6.gz ${VERTUNO_PACKAGE_FILES}/changelog.gz)

install(FILES ${VERTUNO_PACKAGE_FILES}/vertuno.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${PROJECT_SOURCE_DIR}/assets/${VERTUNO_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${VERTUNO_PACKAGE_FILES}/changelog.gz DESTINATION ${VERTUNO_DOC_FOLDER})
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${VERTUNO_DOC_FOLDER} RENAME copyright)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vertuno)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Vertuno developers <vertuno@users.noreply.github.com>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation2)
# Without it the game runs on a Wayland desktop through XWayland, where only X11's means are left.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/vertuno/vertuno)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "777 coin slot machine for the desktop")
set(CPACK_PACKAGE_DESCRIPTION "Vertuno is one borderless window cut to the outline of a slot machine
cabinet, with a red three-cell seven-segment board, a coin slot, a rules
panel and a payout tray; every text on it is in Russian.
.
A click on the slot costs a coin; the board chases its segments and stops
on three digits, and a fixed table of twelve patterns pays up to 400 coins,
counted out coin by coin. Left alone, the machine plays by itself. The coins
are tokens: nothing is bought or sold.")
include(CPack)
