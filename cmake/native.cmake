# Native build: the portable core against the fake machine, benchmarks.
find_package(GTest REQUIRED)
include(GoogleTest)

# The fake machine, header only; it reads the registry fixture and the expected report from the
# source tree.
add_library(torvel_fakes INTERFACE)
target_include_directories(torvel_fakes INTERFACE tests)
target_link_libraries(torvel_fakes INTERFACE torvel_core)
target_compile_definitions(torvel_fakes INTERFACE TORVEL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")

file(GLOB TORVEL_UNIT_SOURCES CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(unit_tests ${TORVEL_UNIT_SOURCES})
target_link_libraries(unit_tests PRIVATE torvel_fakes GTest::gtest_main)
gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 60)
# The expected JSON report against the schema and the registry fixture.
add_test(NAME expected_json_report COMMAND /usr/bin/python3
  ${CMAKE_SOURCE_DIR}/scripts/check-json-reports ${CMAKE_SOURCE_DIR}/tests/expected/full_report.json)

find_package(benchmark QUIET)
file(GLOB TORVEL_BENCH_SOURCES CONFIGURE_DEPENDS bench/*_bench.cpp)
if(benchmark_FOUND AND TORVEL_BENCH_SOURCES AND NOT TORVEL_SANITIZE)
  add_executable(torvel_bench ${TORVEL_BENCH_SOURCES})
  target_link_libraries(torvel_bench PRIVATE torvel_fakes benchmark::benchmark_main)
endif()
