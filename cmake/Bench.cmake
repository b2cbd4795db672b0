# Helpers of tools/bench.sh, built only on demand: the floor program, compiled like vok, and
# the stand-in for the handheld's buttons that lets the handheld build run headless.
add_executable(bench_floor EXCLUDE_FROM_ALL tools/bench_floor.cpp)
target_compile_options(bench_floor PRIVATE -std=c++98 -pedantic-errors)
target_link_libraries(bench_floor PRIVATE PkgConfig::SDL)
set_target_properties(bench_floor PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)

add_library(bench_buttons SHARED EXCLUDE_FROM_ALL tools/bench_buttons.cpp)
target_link_libraries(bench_buttons PRIVATE PkgConfig::SDL)
set_target_properties(bench_buttons PROPERTIES CXX_STANDARD 17 LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
