# Test programs are Windows programs: CTest runs each one through
# tools/wine/run-in-prefix.sh, which gives every run a Wine prefix of its own,
# copied from one prepared prefix, so tests neither collide nor depend on order.

set(KIT_WINE_BASE_PREFIX "${CMAKE_BINARY_DIR}/wine/base")
set(CMAKE_CROSSCOMPILING_EMULATOR
    "${PROJECT_SOURCE_DIR}/tools/wine/run-in-prefix.sh;${KIT_WINE_BASE_PREFIX}")

set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL SYSTEM)
target_link_options(gtest PUBLIC -static -static-libgcc -static-libstdc++)

include(GoogleTest)

# kit_gtest(target SOURCES ... [LIBS ...] [TIMEOUT seconds] [WINDOWLESS])
# A GoogleTest program run under Wine; each test case becomes one CTest test
# with a prefix of its own. Test programs may use newer APIs than the kit.
# WINDOWLESS: no case opens a window; the cases get the label "windowless",
# and tools/run-tests.sh gives them no second try (a failure there is a fault,
# never a lost race with the window manager).
function(kit_gtest target)
  cmake_parse_arguments(arg "WINDOWLESS" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT arg_TIMEOUT)
    set(arg_TIMEOUT 120)
  endif()
  add_executable(${target} ${arg_SOURCES})
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  target_link_libraries(${target} PRIVATE ${arg_LIBS} GTest::gtest_main)
  target_link_options(${target} PRIVATE -static)
  # Every program of the kit is built before any test runs.
  add_dependencies(${target} kit)
  set(labels "")
  if(arg_WINDOWLESS)
    set(labels LABELS windowless)
  endif()
  gtest_discover_tests(${target}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    PROPERTIES TIMEOUT ${arg_TIMEOUT} ${labels})
endfunction()
