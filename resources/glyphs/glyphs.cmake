# The eighteen command glyphs and the main form's image list, drawn as text
# pixel maps in this folder and turned into pictures at build time.
add_executable(glyphgen ${CMAKE_CURRENT_LIST_DIR}/../tools/glyphgen.cpp)
target_compile_options(glyphgen PRIVATE ${ORVALEN_WARNINGS})

# The command pictures in command order (glyph ids 11100 to 11117), then the
# three pictures only the menus use.
set(ORVALEN_GLYPH_MAPS
  11100-new.txt 11101-open.txt 11102-save.txt 11103-save-as.txt 11104-print.txt
  11105-print-setup.txt 11106-exit.txt 11107-undo.txt 11108-cut.txt 11109-copy.txt
  11110-paste.txt 11111-tile.txt 11112-cascade.txt 11113-arrange.txt
  11114-help-contents.txt 11115-search.txt 11116-how-to-use-help.txt 11117-about.txt
  close.txt close-all.txt recent.txt)
list(TRANSFORM ORVALEN_GLYPH_MAPS PREPEND ${CMAKE_CURRENT_LIST_DIR}/)

set(ORVALEN_GLYPH_DIR ${CMAKE_CURRENT_BINARY_DIR}/glyphs)
set(ORVALEN_IMAGE_LIST_SNIPPET ${ORVALEN_GLYPH_DIR}/57-form-image-list.txt)
set(ORVALEN_GLYPH_FILES)
foreach(id RANGE 11100 11117)
  list(APPEND ORVALEN_GLYPH_FILES ${ORVALEN_GLYPH_DIR}/${id}.bmp)
  list(APPEND ORVALEN_RESOURCE_ARGS BITMAP ${id} ${ORVALEN_GLYPH_DIR}/${id}.bmp)
endforeach()
list(APPEND ORVALEN_RESOURCE_DEPENDS ${ORVALEN_GLYPH_FILES})

add_custom_command(
  OUTPUT ${ORVALEN_GLYPH_FILES} ${ORVALEN_IMAGE_LIST_SNIPPET}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ORVALEN_GLYPH_DIR}
  COMMAND glyphgen ${ORVALEN_GLYPH_DIR} ${ORVALEN_GLYPH_MAPS}
  DEPENDS glyphgen ${ORVALEN_GLYPH_MAPS}
  COMMENT "Drawing the command glyphs and the image list")

# Snippet 57, the main form's ImageList object, is the generated one: the
# template takes it in place of any file numbered 57 in snippets/.
list(FILTER ORVALEN_SNIPPET_FILES EXCLUDE REGEX "/57[^/0-9][^/]*$")
list(INSERT ORVALEN_SNIPPET_FILES 57 ${ORVALEN_IMAGE_LIST_SNIPPET})
