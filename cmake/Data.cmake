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
# PNG pictures of bitmaps: the tour's screenshots and the handheld menu's icon.
# libpng (Debian's libpng-dev) writes them.
find_package(PNG REQUIRED)
vok_tool(bmp_to_png)
target_link_libraries(bmp_to_png PRIVATE PNG::PNG)

file(GLOB_RECURSE VOK_ART_SOURCES CONFIGURE_DEPENDS data/art/*)
file(GLOB VOK_LANG_SOURCES CONFIGURE_DEPENDS data/lang/*)

# vok_generate(STEP FOLDER COMMENT [FRESH] COMMAND ... DEPENDS ...): one build step that
# writes into the build tree's FOLDER (emptied first when FRESH), remembered by a stamp file.
# A tool named in COMMAND runs on the build machine: in a cross build CMake puts
# CMAKE_CROSSCOMPILING_EMULATOR in front of it, so the generators are the same code everywhere.
function(vok_generate step folder comment)
  cmake_parse_arguments(GEN "FRESH" "" "COMMAND;DEPENDS" ${ARGN})
  set(stamp ${CMAKE_BINARY_DIR}/.${step}.stamp)
  set(fresh "")
  if(GEN_FRESH)
    set(fresh COMMAND ${CMAKE_COMMAND} -E rm -rf ${CMAKE_BINARY_DIR}/${folder})
  endif()
  add_custom_command(OUTPUT ${stamp}
    ${fresh}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/${folder}
    COMMAND ${GEN_COMMAND}
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${GEN_DEPENDS}
    COMMENT "${comment}")
  set_property(GLOBAL APPEND PROPERTY VOK_DATA_STAMPS ${stamp})
endfunction()

vok_generate(media-ui media "Drawing the interface art, the menu icon and the sound"
  COMMAND make_media ${CMAKE_SOURCE_DIR}/data ${CMAKE_BINARY_DIR}/media
  DEPENDS make_media ${VOK_ART_SOURCES})
vok_generate(media-avatars media "Drawing the avatar parts"
  COMMAND make_avatars ${CMAKE_SOURCE_DIR}/data ${CMAKE_BINARY_DIR}/media
  DEPENDS make_avatars ${VOK_ART_SOURCES})
# The font comes from Debian's fonts-dejavu-extra (DejaVu fonts licence, see data/FONT-LICENSE).
set(VOK_FONT_SOURCE /usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf)
vok_generate(media-font media "Copying the font"
  COMMAND ${CMAKE_COMMAND} -E copy ${VOK_FONT_SOURCE} ${CMAKE_BINARY_DIR}/media/pfcb.ttf
  DEPENDS ${VOK_FONT_SOURCE})
vok_generate(lang lang "Writing the language files" FRESH
  COMMAND make_lang ${CMAKE_SOURCE_DIR}/data/lang ${CMAKE_BINARY_DIR}/lang
  DEPENDS make_lang ${VOK_LANG_SOURCES})

get_property(VOK_DATA_STAMPS GLOBAL PROPERTY VOK_DATA_STAMPS)
add_custom_target(vok_data ALL DEPENDS ${VOK_DATA_STAMPS})
add_dependencies(vok vok_data)

# The fuzzers' seed corpus, kept in tests/corpus/: `make_corpus tests/corpus` writes it afresh.
vok_tool(make_corpus)
