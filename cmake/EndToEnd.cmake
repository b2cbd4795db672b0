# The program as a player meets it: the X libraries of the real-window test, which stands in
# for a window manager, and the tour with its picture converter (tools/tour.sh).

find_package(X11 REQUIRED)
target_link_libraries(window_test PRIVATE X11::X11)
# The whole-program and identity tests run the tour and its converter, and make their cards with the tool.
add_dependencies(e2e_test bmp_to_png make_demo_card)
add_dependencies(identity_test bmp_to_png make_demo_card)


# The power-cut tests run vok and a game under strace (tools/setup-packages.sh installs it), behind
# the emulator of a cross build when one is configured (VOK_EMULATOR in the environment overrides).
find_program(VOK_STRACE strace)
if(NOT VOK_STRACE)
  set(VOK_STRACE /usr/bin/strace)
endif()
string(REPLACE ";" " " VOK_TEST_EMULATOR "${CMAKE_CROSSCOMPILING_EMULATOR}")
target_compile_definitions(vok_test_support PUBLIC VOK_STRACE="${VOK_STRACE}" VOK_TEST_EMULATOR="${VOK_TEST_EMULATOR}")
