# The glyph tool's own checks run it directly on good and broken pixel maps.
if(TARGET glyphgen)
  target_compile_definitions(orvalen_tests PRIVATE ORVALEN_GLYPHGEN="$<TARGET_FILE:glyphgen>")
  add_dependencies(orvalen_tests glyphgen)
endif()
