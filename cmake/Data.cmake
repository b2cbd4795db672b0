# Media, language files and the font are generated into the build tree, beside the vok binary,
# because the program reads "media" and "lang" relative to its working directory.

function(vok_tool name)
  add_executable(${name} tools/${name}.cpp ${ARGN})
  target_link_libraries(${name} PRIVATE vok_writers)
  set_target_properties(${name} PROPERTIES CXX_STANDARD 17 RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
endfunction()

vok_tool(make_media)
vok_tool(make_avatars)
vok_tool(make_lang)
vok_tool(make_demo_card)
target_compile_definitions(make_demo_card PRIVATE VOK_DEMO_CONTENT="${CMAKE_SOURCE_DIR}/data/demo")

file(GLOB_RECURSE VOK_ART_SOURCES CONFIGURE_DEPENDS data/art/*)
file(GLOB VOK_LANG_SOURCES CONFIGURE_DEPENDS data/lang/*)

add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/.media-ui.stamp
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/media
  COMMAND make_media ${CMAKE_SOURCE_DIR}/data ${CMAKE_BINARY_DIR}/media
  COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_BINARY_DIR}/.media-ui.stamp
  DEPENDS make_media ${VOK_ART_SOURCES}
  COMMENT "Drawing the interface art and the sound")

add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/.media-avatars.stamp
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/media
  COMMAND make_avatars ${CMAKE_SOURCE_DIR}/data ${CMAKE_BINARY_DIR}/media
  COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_BINARY_DIR}/.media-avatars.stamp
  DEPENDS make_avatars ${VOK_ART_SOURCES}
  COMMENT "Drawing the avatar parts")

# The font comes from Debian's fonts-dejavu-extra (DejaVu fonts licence, see data/FONT-LICENSE).
set(VOK_FONT_SOURCE /usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/media/pfcb.ttf
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/media
  COMMAND ${CMAKE_COMMAND} -E copy ${VOK_FONT_SOURCE} ${CMAKE_BINARY_DIR}/media/pfcb.ttf
  DEPENDS ${VOK_FONT_SOURCE}
  COMMENT "Copying the font")

add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/.lang.stamp
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${CMAKE_BINARY_DIR}/lang
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/lang
  COMMAND make_lang ${CMAKE_SOURCE_DIR}/data/lang ${CMAKE_BINARY_DIR}/lang
  COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_BINARY_DIR}/.lang.stamp
  DEPENDS make_lang ${VOK_LANG_SOURCES}
  COMMENT "Writing the language files")

add_custom_target(vok_data ALL DEPENDS
  ${CMAKE_BINARY_DIR}/.media-ui.stamp ${CMAKE_BINARY_DIR}/.media-avatars.stamp
  ${CMAKE_BINARY_DIR}/media/pfcb.ttf ${CMAKE_BINARY_DIR}/.lang.stamp)
add_dependencies(vok vok_data)
