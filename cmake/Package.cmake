# The SD-card package of the handheld build (-DVOK_HANDHELD=ON, cross-built for the device):
#   cmake --build DIR --target sd_package
# writes DIR/sd-card/vok/, the folder a player copies into the card's game/ folder, and its zip
# DIR/vok-sd-card.zip: the stripped binary, media/, lang/, the menu's start script vok.gpe, its
# entry vok.ini and icon vok.png, and the players' readme.txt.
set(VOK_PACKAGE ${CMAKE_BINARY_DIR}/sd-card/vok)
set(VOK_PACKAGE_ZIP ${CMAKE_BINARY_DIR}/vok-sd-card.zip)
set(VOK_PACKAGE_FILES ${CMAKE_SOURCE_DIR}/data/package)
find_program(VOK_ZIP zip)
if(NOT CMAKE_STRIP)
  set(CMAKE_STRIP strip)
endif()

add_custom_command(OUTPUT ${VOK_PACKAGE_ZIP}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${CMAKE_BINARY_DIR}/sd-card ${VOK_PACKAGE_ZIP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VOK_PACKAGE}
  COMMAND ${CMAKE_STRIP} -o ${VOK_PACKAGE}/vok $<TARGET_FILE:vok>
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_BINARY_DIR}/media ${VOK_PACKAGE}/media
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_BINARY_DIR}/lang ${VOK_PACKAGE}/lang
  # the icon was drawn with the rest of the art; the menu takes a PNG beside the start script
  COMMAND ${CMAKE_COMMAND} -E rename ${VOK_PACKAGE}/media/icon.bmp ${VOK_PACKAGE}/vok.bmp
  COMMAND bmp_to_png ${VOK_PACKAGE}/vok.bmp
  COMMAND ${CMAKE_COMMAND} -E rm ${VOK_PACKAGE}/vok.bmp
  COMMAND ${CMAKE_COMMAND} -E copy ${VOK_PACKAGE_FILES}/vok.gpe ${VOK_PACKAGE_FILES}/vok.ini
    ${VOK_PACKAGE_FILES}/readme.txt ${VOK_PACKAGE}
  COMMAND chmod 755 ${VOK_PACKAGE}/vok ${VOK_PACKAGE}/vok.gpe
  COMMAND ${CMAKE_COMMAND} -E chdir ${CMAKE_BINARY_DIR}/sd-card ${VOK_ZIP} -q -r -X ${VOK_PACKAGE_ZIP} vok
  DEPENDS vok vok_data bmp_to_png ${VOK_DATA_STAMPS} ${VOK_PACKAGE_FILES}/vok.gpe
    ${VOK_PACKAGE_FILES}/vok.ini ${VOK_PACKAGE_FILES}/readme.txt
  COMMENT "Packing the SD-card folder and its zip")
add_custom_target(sd_package DEPENDS ${VOK_PACKAGE_ZIP})
