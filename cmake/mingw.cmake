# Shared by the two MinGW-w64 toolchain files, which set TAVLIN_TRIPLE first.
# The -posix compilers: the win32-thread ones lack std::mutex, which
# GoogleTest needs.
set(CMAKE_SYSTEM_NAME Windows)

find_program(CMAKE_CXX_COMPILER ${TAVLIN_TRIPLE}-g++-posix)
find_program(CMAKE_C_COMPILER ${TAVLIN_TRIPLE}-gcc-posix)
find_program(CMAKE_RC_COMPILER ${TAVLIN_TRIPLE}-windres)
foreach(tool CMAKE_CXX_COMPILER CMAKE_C_COMPILER CMAKE_RC_COMPILER)
  if(NOT ${tool})
    message(FATAL_ERROR "${tool} for ${TAVLIN_TRIPLE} not found: run scripts/bootstrap")
  endif()
endforeach()

set(CMAKE_FIND_ROOT_PATH /usr/${TAVLIN_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
