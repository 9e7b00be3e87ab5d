# Windows (cross-compiled with MinGW-w64): the program and, for win64, the
# Windows tests that run under Wine.
enable_language(RC)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(TAVLIN_HIGH_ENTROPY -Wl,--high-entropy-va)
endif()

# Small and self-contained: no exceptions or RTTI in our code, sections
# collected, everything static, stripped; hardened, and no time stamps so
# that two clean builds give the same bytes.
# One UI thread: function-local statics need no locks.
set(TAVLIN_WIN_COMPILE -Os -ffunction-sections -fdata-sections -fno-exceptions -fno-rtti -fno-threadsafe-statics
    -fno-asynchronous-unwind-tables -fno-ident -DWIN32_LEAN_AND_MEAN -DNOMINMAX -D_WIN32_WINNT=0x0601
    # std::string is then made in our own code, without exceptions, and checked.
    -D_GLIBCXX_ASSERTIONS -include ${CMAKE_SOURCE_DIR}/src/platform/win32/cxx_config.h)
set(TAVLIN_WIN_LINK -static -s -mwindows -Wl,--gc-sections -Wl,--dynamicbase -Wl,--nxcompat
    ${TAVLIN_HIGH_ENTROPY} -Wl,--no-insert-timestamp -Wl,--build-id=none)
set(TAVLIN_WIN_LIBS user32 gdi32 ole32 oleaut32 uuid)

target_compile_options(tavlin_core PRIVATE ${TAVLIN_WIN_COMPILE})
target_compile_options(tavlin_code_pages PRIVATE ${TAVLIN_WIN_COMPILE})

set(TAVLIN_WIN32_BACKEND
  src/platform/win32/win32_platform.cpp
  src/platform/win32/form_windows.cpp
  src/platform/win32/form_properties.cpp
  src/platform/win32/label_painting.cpp
  src/platform/win32/picture.cpp
)
add_library(tavlin_win32 STATIC ${TAVLIN_WIN32_BACKEND})
target_compile_options(tavlin_win32 PRIVATE ${TAVLIN_WIN_COMPILE})
target_link_libraries(tavlin_win32 PUBLIC tavlin_core ${TAVLIN_WIN_LIBS})

set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_SOURCE_DIR}/res")
add_executable(tavlin WIN32 src/app/main.cpp src/platform/win32/runtime.cpp res/tavlin.rc)
target_compile_options(tavlin PRIVATE ${TAVLIN_WIN_COMPILE})
target_link_options(tavlin PRIVATE ${TAVLIN_WIN_LINK})
target_link_libraries(tavlin PRIVATE tavlin_win32)
set_source_files_properties(res/tavlin.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_SOURCE_DIR}/res/tavlin.manifest;${CMAKE_SOURCE_DIR}/res/maker.h;${CMAKE_SOURCE_DIR}/res/resource_ids.h;${CMAKE_SOURCE_DIR}/res/art/background.jpg;${CMAKE_SOURCE_DIR}/res/art/tavlin.ico;${CMAKE_SOURCE_DIR}/res/art/about_grey.bmp;${CMAKE_SOURCE_DIR}/res/art/wordmark.bmp")

# The menu checker, a console program beside the menu.
target_compile_options(tavlin_check PRIVATE ${TAVLIN_WIN_COMPILE})
add_executable(tavlin-check src/check/tavlin_check.cpp src/platform/win32/disc_files.cpp src/platform/win32/runtime.cpp)
target_compile_options(tavlin-check PRIVATE ${TAVLIN_WIN_COMPILE})
string(REPLACE "-mwindows" "-mconsole" TAVLIN_CONSOLE_LINK "${TAVLIN_WIN_LINK}")
target_link_options(tavlin-check PRIVATE ${TAVLIN_CONSOLE_LINK})
target_link_libraries(tavlin-check PRIVATE tavlin_check)

# The example disc, assembled: the author's files, the program at its root
# and a small stand-in installer for its first item.
add_executable(example_setup WIN32 examples/setup/setup.cpp)
target_compile_options(example_setup PRIVATE ${TAVLIN_WIN_COMPILE})
target_link_options(example_setup PRIVATE ${TAVLIN_WIN_LINK})
target_link_libraries(example_setup PRIVATE user32)

set(TAVLIN_DISC ${CMAKE_BINARY_DIR}/disc)
add_custom_target(disc ALL
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${TAVLIN_DISC}
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/examples/disc ${TAVLIN_DISC}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:tavlin> ${TAVLIN_DISC}/tavlin.exe
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:example_setup> ${TAVLIN_DISC}/setup/setup.exe
  DEPENDS tavlin example_setup
  COMMENT "Assembling the example disc in ${TAVLIN_DISC}"
  VERBATIM)

# For scripts/bench: the same program, ending itself once the menu is
# painted, and a bare window program as the floor to compare it with.
add_library(tavlin_win32_bench STATIC EXCLUDE_FROM_ALL ${TAVLIN_WIN32_BACKEND})
target_compile_options(tavlin_win32_bench PRIVATE ${TAVLIN_WIN_COMPILE})
target_compile_definitions(tavlin_win32_bench PRIVATE TAVLIN_BENCH_EXIT_AFTER_PAINT="Form1")
target_link_libraries(tavlin_win32_bench PUBLIC tavlin_core ${TAVLIN_WIN_LIBS})
add_executable(tavlin_bench WIN32 EXCLUDE_FROM_ALL src/app/main.cpp src/platform/win32/runtime.cpp res/tavlin.rc)
target_compile_options(tavlin_bench PRIVATE ${TAVLIN_WIN_COMPILE})
target_link_options(tavlin_bench PRIVATE ${TAVLIN_WIN_LINK})
target_link_libraries(tavlin_bench PRIVATE tavlin_win32_bench)
add_executable(bare_window WIN32 EXCLUDE_FROM_ALL bench/bare_window.cpp)
target_compile_options(bare_window PRIVATE ${TAVLIN_WIN_COMPILE})
target_link_options(bare_window PRIVATE ${TAVLIN_WIN_LINK})
target_link_libraries(bare_window PRIVATE user32 gdi32)
# The second floor: the main window's controls, background and manifest
# without the menu's code.
add_executable(controls_floor WIN32 EXCLUDE_FROM_ALL bench/controls_floor.cpp bench/controls_floor.rc)
target_compile_options(controls_floor PRIVATE ${TAVLIN_WIN_COMPILE})
target_link_options(controls_floor PRIVATE ${TAVLIN_WIN_LINK})
target_link_libraries(controls_floor PRIVATE user32 gdi32 ole32 oleaut32 uuid)
set_source_files_properties(bench/controls_floor.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_SOURCE_DIR}/res/tavlin.manifest;${CMAKE_SOURCE_DIR}/res/art/background.jpg")
add_executable(keep_desktop WIN32 EXCLUDE_FROM_ALL bench/keep_desktop.cpp)
target_link_options(keep_desktop PRIVATE ${TAVLIN_WIN_LINK})
add_executable(memory_probe EXCLUDE_FROM_ALL bench/memory_probe.cpp)
target_link_options(memory_probe PRIVATE -static -s)
target_link_libraries(memory_probe PRIVATE psapi)

# For the scripts: waits for a window inside Wine's virtual desktop.
add_executable(winwait scripts/tools/winwait.cpp src/mainwindow/form1_design.cpp src/about/form3_design.cpp
  src/app/form6_design.cpp)
target_include_directories(winwait PRIVATE src res)
target_link_options(winwait PRIVATE -static -s)

if(TAVLIN_WINDOWS_TESTS)
  add_subdirectory(tests/windows)
endif()
add_subdirectory(tests/corpus)
