# Fuzz build (clang): every fuzz/NAME_fuzz.cpp becomes a libFuzzer program NAME_fuzz under
# AddressSanitizer and UndefinedBehaviorSanitizer, linked with the portable core and the fakes.
# ctest runs each one for a short, bounded time on a copy of its seed corpus fuzz/corpus/NAME_fuzz.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "The fuzz build needs clang: configure it with `cmake --preset fuzz`.")
endif()

set(TORVEL_FUZZ_SECONDS 12 CACHE STRING "How long each fuzz smoke run lasts under ctest")
set(TORVEL_FUZZ_CHECKS -fsanitize=address,undefined -fno-sanitize-recover=all
    -fno-omit-frame-pointer)

# The code under test carries libFuzzer's coverage hooks but not its main().
target_compile_options(torvel_core PRIVATE -fsanitize=fuzzer-no-link ${TORVEL_FUZZ_CHECKS})

file(GLOB TORVEL_FAKE_SOURCES CONFIGURE_DEPENDS tests/fakes/*.cpp)
add_library(torvel_fakes STATIC ${TORVEL_FAKE_SOURCES})
target_include_directories(torvel_fakes PUBLIC tests)
target_link_libraries(torvel_fakes PUBLIC torvel_core)
target_compile_options(torvel_fakes PRIVATE -fsanitize=fuzzer-no-link ${TORVEL_FUZZ_CHECKS})

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
      -DSECONDS=${TORVEL_FUZZ_SECONDS} -P ${CMAKE_SOURCE_DIR}/fuzz/smoke_run.cmake)
  set_tests_properties(${name} PROPERTIES TIMEOUT 120)
endforeach()
