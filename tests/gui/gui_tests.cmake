find_package(Qt6 REQUIRED COMPONENTS Test)

qt_add_executable(gui_tests
  gui/gui_main.cpp
  gui/machine_window_test.cpp
  gui/artwork_test.cpp
  gui/side_windows_test.cpp
  gui/storm_test.cpp
)
target_link_libraries(gui_tests PRIVATE vertuno_qt Qt6::Test GTest::gtest)
target_precompile_headers(gui_tests PRIVATE <gtest/gtest.h> <QTest> ${VERTUNO_QT_HEADERS})
target_include_directories(gui_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
gtest_discover_tests(gui_tests DISCOVERY_TIMEOUT 60)
# The side windows where the compositor draws no title bars, as GNOME's does on Wayland.
add_test(NAME gui_wayland COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/gui/on_weston.sh $<TARGET_FILE:gui_tests>
                                  --gtest_filter=*CompositorDrawsNoTitleBars*)
# Passing there without running would prove nothing.
set_tests_properties(gui_wayland PROPERTIES FAIL_REGULAR_EXPRESSION "SKIPPED|Running 0 tests")
