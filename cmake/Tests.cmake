# One test executable per file in tests/, named after the module it tests.
find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB VOK_TEST_SUPPORT CONFIGURE_DEPENDS tests/support/*.cpp)
add_library(vok_test_support STATIC ${VOK_TEST_SUPPORT})
target_include_directories(vok_test_support PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(vok_test_support PUBLIC vok_writers GTest::gtest)
target_compile_definitions(vok_test_support PUBLIC
  VOK_BUILD_DIR="${CMAKE_BINARY_DIR}" VOK_SOURCE_DIR="${CMAKE_SOURCE_DIR}" VOK_CMAKE_COMMAND="${CMAKE_COMMAND}"
  $<$<BOOL:${VOK_HANDHELD}>:VOK_HANDHELD_BUILD=1>)
set_target_properties(vok_test_support PROPERTIES CXX_STANDARD 17)
# The command line that runs the build's own programs in a cross build (empty otherwise): the
# tests put it in front of vok and the tools, so they need no binfmt_misc registration.
# VOK_EMULATOR_ENVIRONMENT (from cmake/arm-linux.cmake) is what they need when a script starts them.
function(vok_c_strings variable)
  set(strings "")
  foreach(word IN LISTS ARGN)
    string(REPLACE "\\" "\\\\" word "${word}")
    string(REPLACE "\"" "\\\"" word "${word}")
    string(APPEND strings "\"${word}\", ")
  endforeach()
  set(${variable} "${strings}" PARENT_SCOPE)
endfunction()
vok_c_strings(VOK_EMULATOR_WORDS ${CMAKE_CROSSCOMPILING_EMULATOR})
vok_c_strings(VOK_EMULATOR_SETTINGS ${VOK_EMULATOR_ENVIRONMENT})
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/generated/test_emulator.h
  CONTENT "// Written by cmake/Tests.cmake from CMAKE_CROSSCOMPILING_EMULATOR and VOK_EMULATOR_ENVIRONMENT.
static const char* const EmulatorWords[] = {@VOK_EMULATOR_WORDS@nullptr};
static const char* const EmulatorSettings[] = {@VOK_EMULATOR_SETTINGS@nullptr};
" @ONLY)
target_include_directories(vok_test_support PRIVATE ${CMAKE_BINARY_DIR}/generated)

file(GLOB VOK_TESTS CONFIGURE_DEPENDS tests/*_test.cpp)
# The SD-card package is the handheld build's.
if(NOT VOK_HANDHELD)
  list(FILTER VOK_TESTS EXCLUDE REGEX "/package_test\\.cpp$")
endif()
foreach(test_source ${VOK_TESTS})
  get_filename_component(test_name ${test_source} NAME_WE)
  add_executable(${test_name} ${test_source})
  target_link_libraries(${test_name} PRIVATE vok_test_support GTest::gtest)
  set_target_properties(${test_name} PROPERTIES CXX_STANDARD 17 RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_dependencies(${test_name} vok vok_data make_demo_card vok-card example_game)
  # Tests run headless (tests/support/test_main.cpp sets the drivers: a list-valued property
  # would not survive test discovery), from the build tree where media/ and lang/ live. Each
  # carries its executable's name as a label, so that a build can run a subset (ctest -L frame_test).
  # The power-cut cases run vok or a game about a hundred times each, slower under the sanitizers.
  set(timeout 120)
  if(test_name STREQUAL "power_cut_test" OR test_name STREQUAL "kit_commit_test")
    set(timeout 600)
  endif()
  gtest_discover_tests(${test_name}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    PROPERTIES TIMEOUT ${timeout} LABELS ${test_name}
    DISCOVERY_TIMEOUT 30)
endforeach()
# The corpus regression test runs the seed files through the fuzzers' own entry points.
target_sources(corpus_test PRIVATE tests/fuzz/fuzz_targets.cpp)
add_dependencies(corpus_test make_corpus)
include(cmake/EndToEnd.cmake)
if(VOK_HANDHELD)
  add_dependencies(package_test sd_package)
endif()

# A cross build's generators against the native build's (VOK_NATIVE_BUILD, built first): the
# same media, language files and demo card, byte for byte.
set(VOK_NATIVE_BUILD "" CACHE PATH "A native build of this tree, for a cross build's comparison of generated files")
if(CMAKE_CROSSCOMPILING AND VOK_NATIVE_BUILD)
  add_test(NAME GeneratedData.SameAsNativeBuild
    COMMAND ${CMAKE_COMMAND} -DNATIVE=${VOK_NATIVE_BUILD} -DCROSS=${CMAKE_BINARY_DIR}
      "-DEMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}" -DWORK=${CMAKE_BINARY_DIR}/same-as-native
      -P ${CMAKE_SOURCE_DIR}/cmake/SameAsNative.cmake)
  set_tests_properties(GeneratedData.SameAsNativeBuild PROPERTIES TIMEOUT 120 LABELS generated_data)
endif()
