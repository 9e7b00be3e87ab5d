# The menu editor: the core, the checker and the editor's C++ compiled to
# WebAssembly, then inlined with the page and the artwork into one HTML file
# that opens from file://.
add_executable(tavlin_core_web src/editor/web_bindings.cpp)
target_link_libraries(tavlin_core_web PRIVATE tavlin_editor)
set_target_properties(tavlin_core_web PROPERTIES OUTPUT_NAME tavlin-core SUFFIX .js)
target_link_options(tavlin_core_web PRIVATE
  --bind -Os -sSINGLE_FILE=1 -sMODULARIZE=1 -sEXPORT_NAME=TavlinCore -sENVIRONMENT=web,worker
  -sALLOW_MEMORY_GROWTH=1 -sFILESYSTEM=0 -sINCOMING_MODULE_JS_API=[])

set(page ${CMAKE_SOURCE_DIR}/src/editor/page)
set(art ${CMAKE_SOURCE_DIR}/res/art)
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/tavlin-editor.html
  COMMAND python3 ${CMAKE_SOURCE_DIR}/src/editor/inline_page.py
    ${page}/editor.html ${CMAKE_BINARY_DIR}/tavlin-core.js ${art} ${CMAKE_BINARY_DIR}/tavlin-editor.html
  DEPENDS ${page}/editor.html ${page}/editor.css ${page}/editor.js ${page}/files.js ${page}/forms.js
    ${page}/preview.js ${page}/worker.js tavlin_core_web
    ${CMAKE_SOURCE_DIR}/src/editor/inline_page.py ${art}/background.jpg ${art}/about_grey.bmp ${art}/wordmark.bmp
  VERBATIM)
add_custom_target(tavlin_editor_page ALL DEPENDS ${CMAKE_BINARY_DIR}/tavlin-editor.html)
