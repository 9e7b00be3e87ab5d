# Self-sizing labels are measured with the fonts' advances, taken at build
# time from the font files Wine draws with (numbers only, no font in the page).
set(label_fonts_inc ${CMAKE_BINARY_DIR}/generated/label_fonts.inc)
add_custom_command(
  OUTPUT ${label_fonts_inc}
  COMMAND python3 ${CMAKE_SOURCE_DIR}/src/editor/label_fonts.py ${label_fonts_inc}
  DEPENDS ${CMAKE_SOURCE_DIR}/src/editor/label_fonts.py
  VERBATIM)
add_library(tavlin_label_size STATIC src/editor/label_size.cpp ${label_fonts_inc})
target_include_directories(tavlin_label_size PRIVATE ${CMAKE_BINARY_DIR}/generated)
target_link_libraries(tavlin_label_size PUBLIC tavlin_core tavlin_code_pages)
