# The machine's sounds, synthesised into the program's folder by our own synthesiser, which is
# built for this machine even when the program is built for another (Windows).
#   add_machine_sounds(TARGET)  makes TARGET, built with ALL, that leaves them there.
function(add_machine_sounds target)
  set(synthesiser_sources ${PROJECT_SOURCE_DIR}/assets/make_sounds.cpp ${PROJECT_SOURCE_DIR}/assets/machine_sounds.cpp)
  if(CMAKE_CROSSCOMPILING)
    find_program(VERTUNO_HOST_CXX NAMES c++ g++ REQUIRED)
    set(synthesiser ${CMAKE_CURRENT_BINARY_DIR}/make_sounds)
    add_custom_command(OUTPUT ${synthesiser}
      COMMAND ${VERTUNO_HOST_CXX} -std=c++20 -O2 -I${PROJECT_SOURCE_DIR} -o ${synthesiser} ${synthesiser_sources}
      DEPENDS ${synthesiser_sources} ${PROJECT_SOURCE_DIR}/assets/machine_sounds.h ${PROJECT_SOURCE_DIR}/machine/sounds.h
      COMMENT "Building the sound synthesiser for this machine")
  else()
    add_executable(make_sounds ${synthesiser_sources})
    target_include_directories(make_sounds PRIVATE ${PROJECT_SOURCE_DIR})
    set(synthesiser make_sounds)
  endif()
  set(sounds ${VERTUNO_PROGRAM_FOLDER}/click.wav ${VERTUNO_PROGRAM_FOLDER}/sound.wav)
  add_custom_command(OUTPUT ${sounds}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VERTUNO_PROGRAM_FOLDER}
    COMMAND ${synthesiser} ${VERTUNO_PROGRAM_FOLDER}
    DEPENDS ${synthesiser}
    COMMENT "Synthesising the machine's sounds")
  add_custom_target(${target} ALL DEPENDS ${sounds})
endfunction()
