# Cross-compiling for Windows with MinGW-w64, x86_64.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TAVLIN_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
