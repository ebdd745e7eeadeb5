# The about unit every generated application uses, and its form text: written
# into each new project exactly as they stand here.
list(APPEND ORVALEN_RESOURCE_ARGS
  RCDATA STDABOUT_PAS ${CMAKE_CURRENT_LIST_DIR}/stdabout.pas
  RCDATA STDABOUT_TXT ${CMAKE_CURRENT_LIST_DIR}/stdabout.txt
  RCDATA STDABOUT_PAS_LCL ${CMAKE_CURRENT_LIST_DIR}/lcl/stdabout.pas
  RCDATA STDABOUT_LFM_LCL ${CMAKE_CURRENT_LIST_DIR}/lcl/stdabout.lfm
  RCDATA PROJECT_LPI ${CMAKE_CURRENT_LIST_DIR}/lcl/project.lpi)
list(APPEND ORVALEN_RESOURCE_DEPENDS
  ${CMAKE_CURRENT_LIST_DIR}/lcl/stdabout.pas
  ${CMAKE_CURRENT_LIST_DIR}/lcl/stdabout.lfm
  ${CMAKE_CURRENT_LIST_DIR}/lcl/project.lpi
  ${CMAKE_CURRENT_LIST_DIR}/stdabout.pas
  ${CMAKE_CURRENT_LIST_DIR}/stdabout.txt)

# The form's program picture is drawn in stdabout-icon.txt; this tool turns the
# drawing into the form text's picture data and checks that the two agree.
add_executable(picturedata ${CMAKE_CURRENT_LIST_DIR}/../tools/picturedata.cpp)
target_compile_options(picturedata PRIVATE ${ORVALEN_WARNINGS})

# The same picture as a bitmap resource, for the about box of our own dialogs.
set(ORVALEN_ABOUT_ICON ${CMAKE_CURRENT_BINARY_DIR}/ABOUTICON.bmp)
add_custom_command(
  OUTPUT ${ORVALEN_ABOUT_ICON}
  COMMAND picturedata --bmp ${CMAKE_CURRENT_LIST_DIR}/stdabout-icon.txt ${ORVALEN_ABOUT_ICON}
  DEPENDS picturedata ${CMAKE_CURRENT_LIST_DIR}/stdabout-icon.txt
  COMMENT "Drawing the about box's program picture")
list(APPEND ORVALEN_RESOURCE_ARGS BITMAP ABOUTICON ${ORVALEN_ABOUT_ICON})
list(APPEND ORVALEN_RESOURCE_DEPENDS ${ORVALEN_ABOUT_ICON})
