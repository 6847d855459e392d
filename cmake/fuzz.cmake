# Fuzz build (clang): every fuzz/NAME_fuzz.cpp becomes a libFuzzer program NAME_fuzz under
# AddressSanitizer and UndefinedBehaviorSanitizer, linked with the portable core and the fake
# machine. ctest runs each one for a short, bounded time on a copy of its seed corpus
# fuzz/corpus/NAME_fuzz (cmake/fuzz-smoke-run.cmake); the repository's seeds are never written.
#
#   cmake --preset fuzz && cmake --build --preset fuzz -j2 && ctest --preset fuzz
#
# A failing run leaves its input in build/fuzz/fuzz-runs/NAME_fuzz/; replay it with
# `build/fuzz/NAME_fuzz build/fuzz/fuzz-runs/NAME_fuzz/crash-...`. A longer run by hand:
# `build/fuzz/NAME_fuzz -max_total_time=600 DIR` on a copy of the seeds in DIR.
#
# registry_values_fuzz gives every value of the populated fake registry any type and bytes (0 to
# 300 of them) and fails any one registry call in any way; the product sections and a number
# read must not crash or read past a buffer, must close every key, and must write the report
# that the same values without "&", "<" and ">" give, each entity read back as one character.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "The fuzz build needs clang: configure it with `cmake --preset fuzz`.")
endif()

set(TORVEL_FUZZ_SECONDS 10 CACHE STRING "How long each fuzz smoke run lasts under ctest")
set(TORVEL_FUZZ_CHECKS -fsanitize=address,undefined -fno-sanitize-recover=all
    -fno-omit-frame-pointer)

# The code under test carries libFuzzer's coverage hooks but not its main().
foreach(layer IN LISTS TORVEL_CORE_LIBS)
  target_compile_options(${layer} PRIVATE -fsanitize=fuzzer-no-link ${TORVEL_FUZZ_CHECKS})
endforeach()

add_library(torvel_fakes INTERFACE)
target_include_directories(torvel_fakes INTERFACE tests)
target_link_libraries(torvel_fakes INTERFACE torvel_core)
target_compile_definitions(torvel_fakes INTERFACE TORVEL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")

file(GLOB TORVEL_FUZZ_SOURCES CONFIGURE_DEPENDS fuzz/*_fuzz.cpp)
foreach(source ${TORVEL_FUZZ_SOURCES})
  get_filename_component(name ${source} NAME_WE)
  add_executable(${name} ${source})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer ${TORVEL_FUZZ_CHECKS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer ${TORVEL_FUZZ_CHECKS})
  target_link_libraries(${name} PRIVATE torvel_fakes)
  add_test(NAME ${name}
    COMMAND ${CMAKE_COMMAND} -DFUZZER=$<TARGET_FILE:${name}>
      -DSEEDS=${CMAKE_SOURCE_DIR}/fuzz/corpus/${name} -DWORK=${CMAKE_BINARY_DIR}/fuzz-runs/${name}
      -DSECONDS=${TORVEL_FUZZ_SECONDS} -P ${CMAKE_SOURCE_DIR}/cmake/fuzz-smoke-run.cmake)
  set_tests_properties(${name} PROPERTIES TIMEOUT 120)
endforeach()
