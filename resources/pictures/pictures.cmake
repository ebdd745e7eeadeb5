# The wizard's page pictures, drawn as text pixel maps in this folder and
# turned into bitmap resources at build time by the glyph tool.
set(ORVALEN_PICTURE_DIR ${CMAKE_CURRENT_BINARY_DIR}/pictures)
foreach(picture MENUDSGN EXTDSGN SPEEDDSGN INFODSGN)
  string(TOLOWER ${picture} map)
  set(map ${CMAKE_CURRENT_LIST_DIR}/${map}.txt)
  set(bmp ${ORVALEN_PICTURE_DIR}/${picture}.bmp)
  add_custom_command(
    OUTPUT ${bmp}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ORVALEN_PICTURE_DIR}
    COMMAND glyphgen --picture 107 72 ${map} ${bmp}
    DEPENDS glyphgen ${map}
    COMMENT "Drawing the page picture ${picture}")
  list(APPEND ORVALEN_RESOURCE_ARGS BITMAP ${picture} ${bmp})
  list(APPEND ORVALEN_RESOURCE_DEPENDS ${bmp})
endforeach()

# The speedbar designer's insertion pointer: black and white, 1 bit per pixel.
set(bmp ${ORVALEN_PICTURE_DIR}/SPEEDPOINTER.bmp)
set(map ${CMAKE_CURRENT_LIST_DIR}/speedpointer.txt)
add_custom_command(
  OUTPUT ${bmp}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ORVALEN_PICTURE_DIR}
  COMMAND glyphgen --mono 10 5 ${map} ${bmp}
  DEPENDS glyphgen ${map}
  COMMENT "Drawing the speedbar pointer SPEEDPOINTER")
list(APPEND ORVALEN_RESOURCE_ARGS BITMAP SPEEDPOINTER ${bmp})
list(APPEND ORVALEN_RESOURCE_DEPENDS ${bmp})
