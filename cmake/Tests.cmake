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

file(GLOB VOK_TESTS CONFIGURE_DEPENDS tests/*_test.cpp)
foreach(test_source ${VOK_TESTS})
  get_filename_component(test_name ${test_source} NAME_WE)
  add_executable(${test_name} ${test_source})
  target_link_libraries(${test_name} PRIVATE vok_test_support GTest::gtest)
  set_target_properties(${test_name} PROPERTIES CXX_STANDARD 17 RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_dependencies(${test_name} vok vok_data make_demo_card vok-card example_game)
  # Tests run headless (tests/support/test_main.cpp sets the drivers: a list-valued property
  # would not survive test discovery), from the build tree where media/ and lang/ live. Each
  # carries its executable's name as a label, so that a build can run a subset (ctest -L frame_test).
  # The power-cut cases run vok about a hundred times each, slower under the sanitizers.
  set(timeout 120)
  if(test_name STREQUAL "power_cut_test")
    set(timeout 600)
  endif()
  gtest_discover_tests(${test_name}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    PROPERTIES TIMEOUT ${timeout} LABELS ${test_name}
    DISCOVERY_TIMEOUT 30)
endforeach()
include(cmake/EndToEnd.cmake)
