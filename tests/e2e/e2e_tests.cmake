# The real game under a real X server. Each entry runs on a desktop of its own, so ctest can run
# them side by side.
qt_add_executable(expected_look e2e/expected_look.cpp)
target_link_libraries(expected_look PRIVATE vertuno_qt)
# A file system without locks, for the game to be started on.
add_library(no_locks MODULE e2e/no_locks.cpp)
target_link_libraries(no_locks PRIVATE ${CMAKE_DL_LIBS})

# name, then the unittest ids it runs; the longest come first so they start first. The long
# forms, which take minutes to prove what a lower layer already proves in the test command,
# stay runnable under the long label.
set(VERTUNO_E2E_RUNS
  "reliability_kills|test_reliability.Reliability.test_killed_at_random_moments_the_file_always_holds_one_complete_value"
  "demo|test_demo"
  "reliability|test_reliability.Reliability.test_bad_totals_files test_reliability.Reliability.test_a_totals_file_that_is_a_link_or_a_folder test_reliability.Reliability.test_a_file_changed_while_the_game_runs test_reliability.Reliability.test_a_storm_of_input_at_the_real_window"
  "play|test_play"
  "memory|test_memory"
  "totals|test_totals"
  "machine_window|test_machine_window"
  "install|test_install"
  "command_line|test_command_line"
  "window_managers|test_window_managers"
  "debian_package|test_debian_package"
  "wayland|test_wayland"
  "ordinary_user|test_ordinary_user")
set(cost 100)
foreach(run IN LISTS VERTUNO_E2E_RUNS)
  string(REPLACE "|" ";" fields "${run}")
  list(GET fields 0 name)
  list(GET fields 1 ids)
  separate_arguments(ids)
  add_test(NAME e2e_${name}
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/run_suite.sh ${ids})
  set_tests_properties(e2e_${name} PROPERTIES
    LABELS e2e
    COST ${cost}
    ENVIRONMENT "VERTUNO_BUILD=${CMAKE_BINARY_DIR}"
    TIMEOUT 400)
  math(EXPR cost "${cost} - 10")
endforeach()

# The question's keys are a widget test's; here a real game plays its purse empty first.
add_test(NAME e2e_empty_purse COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/run_suite.sh test_empty_purse)
# Twenty kills in the test command; two hundred here.
add_test(NAME e2e_reliability_kills_long
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/run_suite.sh
                 test_reliability.Reliability.test_killed_at_random_moments_the_file_always_holds_one_complete_value)
set_tests_properties(e2e_empty_purse e2e_reliability_kills_long PROPERTIES
  LABELS "e2e;long" ENVIRONMENT "VERTUNO_BUILD=${CMAKE_BINARY_DIR};VERTUNO_KILLS=200" TIMEOUT 900)
