# Native build: the portable core against fakes, benchmarks.
find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB TORVEL_FAKE_SOURCES CONFIGURE_DEPENDS tests/fakes/*.cpp)
add_library(torvel_fakes STATIC ${TORVEL_FAKE_SOURCES})
target_include_directories(torvel_fakes PUBLIC tests)
target_link_libraries(torvel_fakes PUBLIC torvel_core)

file(GLOB TORVEL_UNIT_SOURCES CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(unit_tests ${TORVEL_UNIT_SOURCES})
target_link_libraries(unit_tests PRIVATE torvel_fakes GTest::gtest_main GTest::gmock)
target_compile_definitions(unit_tests PRIVATE TORVEL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 60)

find_package(benchmark QUIET)
file(GLOB TORVEL_BENCH_SOURCES CONFIGURE_DEPENDS bench/*_bench.cpp)
if(benchmark_FOUND AND TORVEL_BENCH_SOURCES AND NOT TORVEL_SANITIZE)
  add_executable(torvel_bench ${TORVEL_BENCH_SOURCES})
  target_link_libraries(torvel_bench PRIVATE torvel_fakes benchmark::benchmark_main)
endif()
