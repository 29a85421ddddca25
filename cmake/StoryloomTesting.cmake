# Helpers for the test programs: one GoogleTest program per layer folder, labelled by layer.
include(GoogleTest)

# storyloom_test(NAME <name> LABEL <label> SOURCES ... LIBS ...)
function(storyloom_test)
  cmake_parse_arguments(T "" "NAME;LABEL;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES} ${CMAKE_SOURCE_DIR}/tests/TestMain.cpp)
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest Threads::Threads)
  # TestMain sets the headless defaults and these folders for every test program.
  target_compile_definitions(${T_NAME} PRIVATE STORYLOOM_SUITE_DIR="${STORYLOOM_SUITE_DIR}"
                                               STORYLOOM_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests
                                             BUILD_RPATH "${STORYLOOM_SUITE_DIR}")
  # One generous bound per test: a checker build on a busy machine takes many times as long as
  # a plain one, and a test's own waits (up to minutes) must end before ctest stops it.
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 600)
  endif()
  gtest_discover_tests(${T_NAME} PROPERTIES LABELS ${T_LABEL} TIMEOUT ${T_TIMEOUT} DISCOVERY_TIMEOUT 60)
endfunction()

# storyloom_fuzz(NAME <name> SOURCES <target.cpp ...> LIBS <libs> CORPUS <folder>)
# Every fuzz target defines LLVMFuzzerTestOneInput. A replay runner (any compiler) runs the
# kept corpus (seeds and past crashes) as a CTest test labelled `fuzz`; with STORYLOOM_FUZZ=ON
# and clang, a real libFuzzer binary <name>_fuzzer is built as well.
function(storyloom_fuzz)
  cmake_parse_arguments(F "" "NAME;CORPUS" "SOURCES;LIBS" ${ARGN})
  add_executable(${F_NAME}_replay ${F_SOURCES} ${CMAKE_SOURCE_DIR}/tests/fuzz/ReplayMain.cpp)
  target_link_libraries(${F_NAME}_replay PRIVATE ${F_LIBS})
  set_target_properties(${F_NAME}_replay PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests
                                                    BUILD_RPATH "${STORYLOOM_SUITE_DIR}")
  add_test(NAME ${F_NAME}_corpus COMMAND ${F_NAME}_replay ${F_CORPUS})
  set_tests_properties(${F_NAME}_corpus PROPERTIES LABELS fuzz TIMEOUT 120
                       ENVIRONMENT "QT_QPA_PLATFORM=offscreen;SDL_AUDIODRIVER=dummy")
  if(STORYLOOM_FUZZ AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    add_executable(${F_NAME}_fuzzer ${F_SOURCES})
    target_compile_options(${F_NAME}_fuzzer PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(${F_NAME}_fuzzer PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(${F_NAME}_fuzzer PRIVATE ${F_LIBS})
    set_target_properties(${F_NAME}_fuzzer PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz
                                                      BUILD_RPATH "${STORYLOOM_SUITE_DIR}")
  endif()
endfunction()
