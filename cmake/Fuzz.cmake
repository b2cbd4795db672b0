# libFuzzer harnesses, one per parser (tests/fuzz/fuzz_targets.cpp), built only with
# -DVOK_FUZZ=ON and clang: tools/fuzz.sh makes such a build folder and runs them.
# Everything is instrumented for coverage and checked by AddressSanitizer and UBSan.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "VOK_FUZZ needs clang (CMAKE_CXX_COMPILER=clang++)")
endif()

set(VOK_FUZZ_TARGETS key_value summary records texts bitmap language progress)
foreach(target ${VOK_FUZZ_TARGETS})
  add_executable(fuzz_${target} tests/fuzz/fuzz_main.cpp tests/fuzz/fuzz_targets.cpp)
  target_link_libraries(fuzz_${target} PRIVATE vok_lib)
  target_compile_definitions(fuzz_${target} PRIVATE VOK_FUZZ_TARGET="${target}")
  target_link_options(fuzz_${target} PRIVATE -fsanitize=fuzzer)
  set_target_properties(fuzz_${target} PROPERTIES CXX_STANDARD 17 RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
endforeach()
add_custom_target(fuzzers)
foreach(target ${VOK_FUZZ_TARGETS})
  add_dependencies(fuzzers fuzz_${target})
endforeach()
