# The program as a player meets it: the X libraries of the real-window test, which stands in
# for a window manager, and the tour with its picture converter (tools/tour.sh).

find_package(X11 REQUIRED)
target_link_libraries(window_test PRIVATE X11::X11)
# The whole-program tests run the tour and its converter, and make their cards with the tool.
add_dependencies(e2e_test bmp_to_png make_demo_card)

