# The program's icon, drawn as a text pixel map in this folder: the standalone
# program's icon MAINICON and the expert module's ORVALEN, which the host draws
# beside the expert's name among its new items, are the same picture.
set(bmp ${CMAKE_CURRENT_BINARY_DIR}/icons/ORVALEN.bmp)
set(map ${CMAKE_CURRENT_LIST_DIR}/orvalen.txt)
add_custom_command(
  OUTPUT ${bmp}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/icons
  COMMAND glyphgen --picture 32 32 ${map} ${bmp}
  DEPENDS glyphgen ${map}
  COMMENT "Drawing the program icon")
list(APPEND ORVALEN_RESOURCE_ARGS BITMAP MAINICON ${bmp} BITMAP ORVALEN ${bmp})
list(APPEND ORVALEN_RESOURCE_DEPENDS ${bmp})
