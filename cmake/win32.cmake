# Windows build: the .exe, the Win32 services, and the tests that run under Wine.
enable_language(RC)
# comctl32 is loaded by the window when it needs it (platform/win32/common_controls.h).
set(TORVEL_WIN32_LIBS advapi32 ole32 oleaut32 uuid shell32 user32 gdi32 ws2_32 netapi32 iphlpapi)
# No runtime DLLs beyond Windows' own: libgcc, libstdc++ and winpthread go in statically.
add_link_options(-static -static-libgcc -static-libstdc++ $<$<NOT:$<CONFIG:Debug>>:-s>)
add_compile_definitions(WINVER=0x0601 _WIN32_WINNT=0x0601 NOMINMAX WIN32_LEAN_AND_MEAN)

# Every program of the build goes to BUILD/bin, where the Wine scripts look for it.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

# Every Windows program of the build runs under Wine in the build's private prefix.
set(TORVEL_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-run)

file(GLOB TORVEL_PLATFORM_SOURCES CONFIGURE_DEPENDS src/platform/win32/*.cpp)
add_library(torvel_platform_win32 STATIC ${TORVEL_PLATFORM_SOURCES})
target_include_directories(torvel_platform_win32 PUBLIC src)
target_link_libraries(torvel_platform_win32 PUBLIC torvel_platform ${TORVEL_WIN32_LIBS})

file(GLOB TORVEL_APP_SOURCES CONFIGURE_DEPENDS src/app/win32/*.cpp)
add_executable(TORVELSupport WIN32 ${TORVEL_APP_SOURCES} src/app/win32/resources.rc)
target_link_libraries(TORVELSupport PRIVATE torvel_core torvel_platform_win32)
set_source_files_properties(src/app/win32/resources.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/src/app/win32/app.manifest;${CMAKE_SOURCE_DIR}/src/app/win32/art/app.ico")

# GoogleTest built from Debian's sources for the i686 target.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Prepares the prefix once per test run; every Wine test uses it.
add_test(NAME wine_prefix_setup
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-prefix-setup ${CMAKE_BINARY_DIR})
set_tests_properties(wine_prefix_setup PROPERTIES FIXTURES_SETUP wineprefix RESOURCE_LOCK wine)

# Tests of the Win32 services against the real (Wine) system.
file(GLOB TORVEL_WIN32_TEST_SOURCES CONFIGURE_DEPENDS tests/win32/*.cpp)
if(TORVEL_WIN32_TEST_SOURCES)
  add_executable(win32_tests ${TORVEL_WIN32_TEST_SOURCES})
  target_link_libraries(win32_tests PRIVATE torvel_core torvel_platform_win32 e2e_support gtest
    gtest_main)
  # Expected files are read from the source tree.
  target_compile_definitions(win32_tests PRIVATE TORVEL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  add_test(NAME win32_tests COMMAND win32_tests)
  set_tests_properties(win32_tests PROPERTIES FIXTURES_REQUIRED wineprefix RESOURCE_LOCK wine
    TIMEOUT 300)
endif()

add_subdirectory(tests/e2e)

# Timings under Wine against the real registry (bench/*_wine.cpp, one program each, run by hand).
file(GLOB TORVEL_WINE_BENCH_SOURCES CONFIGURE_DEPENDS bench/*_wine.cpp)
foreach(source ${TORVEL_WINE_BENCH_SOURCES})
  get_filename_component(name ${source} NAME_WE)
  add_executable(${name} ${source})
  target_include_directories(${name} PRIVATE bench)
  target_compile_definitions(${name} PRIVATE TORVEL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  target_link_libraries(${name} PRIVATE torvel_core torvel_platform_win32)
endforeach()

# The benchmark's yardstick: a Windows program that does nothing (bench/silent-run).
add_executable(donothing WIN32 bench/donothing/donothing.cpp)
add_executable(donothing_display WIN32 bench/donothing/display.cpp)
add_executable(machine_facts WIN32 bench/donothing/machine_facts.cpp)
target_link_libraries(machine_facts PRIVATE ${TORVEL_WIN32_LIBS})

# The shipped program itself: i686 GUI PE, size, Windows' own DLLs only.
add_test(NAME exe_imports_and_size
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-exe $<TARGET_FILE:TORVELSupport>)
