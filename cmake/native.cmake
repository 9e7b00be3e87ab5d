# Linux: the core against the fake platform, its unit tests and benchmarks.
enable_testing()

add_library(tavlin_fake STATIC src/platform/fake/fake_platform.cpp)
target_link_libraries(tavlin_fake PUBLIC tavlin_memory)

if(TAVLIN_FUZZ)
  add_subdirectory(tests/fuzz)
  return()
endif()

add_executable(tavlin-check src/check/tavlin_check.cpp src/platform/posix/disc_files.cpp)
target_link_libraries(tavlin-check PRIVATE tavlin_check)

# The editor's label sizes for captions in any code page, for scripts/label-metrics.
add_executable(label_sizes scripts/tools/label_sizes.cpp)
target_link_libraries(label_sizes PRIVATE tavlin_label_size)

find_package(GTest REQUIRED)
file(GLOB unit_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(unit_tests ${unit_sources})
target_link_libraries(unit_tests PRIVATE tavlin_fake tavlin_check tavlin_editor tavlin_label_size GTest::gtest
  GTest::gtest_main)
target_sources(unit_tests PRIVATE ${CMAKE_SOURCE_DIR}/src/platform/posix/disc_files.cpp)
target_compile_definitions(unit_tests PRIVATE TAVLIN_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
target_include_directories(unit_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/shared)
include(GoogleTest)
gtest_discover_tests(unit_tests DISCOVERY_MODE PRE_TEST)

find_package(benchmark QUIET)
if(benchmark_FOUND)
  add_executable(reader_bench bench/reader_bench.cpp)
  target_link_libraries(reader_bench PRIVATE tavlin_core benchmark::benchmark)
endif()
