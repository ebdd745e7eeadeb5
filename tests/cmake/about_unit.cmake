# The about form's picture data must be what its drawing gives.
add_test(NAME about_form_picture_matches_drawing
  COMMAND picturedata --check ${PROJECT_SOURCE_DIR}/resources/pascal/stdabout-icon.txt
          ${PROJECT_SOURCE_DIR}/resources/pascal/stdabout.txt)
