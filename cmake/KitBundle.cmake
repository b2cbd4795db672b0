# Writes the kit as games take it: one header and one source file, OUTPUT_DIR/vok_kit.h and
# OUTPUT_DIR/vok_kit.c, the source holding the card library it is built on, in order.
#   cmake -DSOURCE_DIR=... -DOUTPUT_DIR=... -P cmake/KitBundle.cmake
set(parts card/card_format.h card/card_progress.h card/card_bitmap.h card/card_files.h card/card_commit.h
          card/card_format.c card/card_progress.c card/card_bitmap.c card/card_files.c card/card_commit.c kit/vok_kit.c)
set(bundle "/* vok_kit.c: the vok game kit and the card library beneath it in one file, made from
   kit/ and card/ of vok's source. Compile it with the game, as C89 or C++98; see README.md. */
#ifndef _XOPEN_SOURCE
#define _XOPEN_SOURCE 700
#endif
#ifndef _DEFAULT_SOURCE
#define _DEFAULT_SOURCE
#endif
")
foreach(part IN LISTS parts)
  file(READ ${SOURCE_DIR}/${part} text)
  # the parts are one translation unit: their own includes of each other go
  string(REGEX REPLACE "#include \"card/[a-z_]+\\.h\"\n" "" text "${text}")
  string(APPEND bundle "\n/* ---- ${part} ---- */\n${text}")
endforeach()
file(MAKE_DIRECTORY ${OUTPUT_DIR})
file(WRITE ${OUTPUT_DIR}/vok_kit.c.new "${bundle}")
file(COPY_FILE ${OUTPUT_DIR}/vok_kit.c.new ${OUTPUT_DIR}/vok_kit.c ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT_DIR}/vok_kit.c.new)
file(COPY_FILE ${SOURCE_DIR}/kit/vok_kit.h ${OUTPUT_DIR}/vok_kit.h ONLY_IF_DIFFERENT)
