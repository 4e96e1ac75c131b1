# Test programs are Windows programs: CTest runs each one through
# tools/wine/run-in-prefix.sh, which gives every run a Wine prefix of its own,
# copied from one prepared prefix, so tests neither collide nor depend on order.
# The 32-bit kit's run in Wine 10's WoW64 mode inside the Debian 13 root
# (tools/wow64/in-root.sh), in two configurations: see kit_gtest.

set(KIT_WINE_BASE_PREFIX "${CMAKE_BINARY_DIR}/wine/base")
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "AMD64")
  set(KIT_WOW64 OFF)
  set(CMAKE_CROSSCOMPILING_EMULATOR
      "${PROJECT_SOURCE_DIR}/tools/wine/run-in-prefix.sh;${KIT_WINE_BASE_PREFIX}")
else()
  set(KIT_WOW64 ON)
  set(CMAKE_CROSSCOMPILING_EMULATOR
      "${PROJECT_SOURCE_DIR}/tools/wow64/in-root.sh;${PROJECT_SOURCE_DIR}/tools/wine/run-in-prefix.sh;${KIT_WINE_BASE_PREFIX}")
  # How a 32-bit program reads the card on 64-bit Windows: the 32-bit kit
  # with the 64-bit kit's driver (build the x64 preset first).
  set(KIT_ON_X64_DIR "${CMAKE_BINARY_DIR}/kit-on-x64")
  add_custom_target(kit_on_x64 ALL
    COMMAND ${CMAKE_COMMAND} -E copy_directory "${KIT_DIR}" "${KIT_ON_X64_DIR}"
    COMMAND ${CMAKE_COMMAND} -E copy "${CMAKE_BINARY_DIR}/../x64/kit/Mirvo.sys" "${KIT_ON_X64_DIR}"
    COMMENT "32-bit kit over the 64-bit driver in ${KIT_ON_X64_DIR}"
    VERBATIM)
  add_dependencies(kit_on_x64 kit)
endif()

# Everything from here on is a test: GoogleTest and the tests' own threads need
# std::thread and std::mutex, so they build with the posix thread model while
# the kit keeps the toolchain's win32 one (cmake/posix-threads.sh).
foreach(lang C CXX)
  set(CMAKE_${lang}_COMPILER_LAUNCHER "${PROJECT_SOURCE_DIR}/cmake/posix-threads.sh")
  set(CMAKE_${lang}_LINKER_LAUNCHER "${PROJECT_SOURCE_DIR}/cmake/posix-threads.sh")
endforeach()

set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL SYSTEM)
target_link_options(gtest PUBLIC -static -static-libgcc -static-libstdc++)

include(GoogleTest)

# kit_gtest(target SOURCES ... [LIBS ...] [TIMEOUT seconds] [PREFIX name.] [WINDOWLESS] [FIXTURES name...])
# A GoogleTest program run under Wine; each test case becomes one CTest test
# with a prefix of its own. Test programs may use newer APIs than the kit.
# PREFIX: put before every case's name, so that one pattern selects a
# program's cases (ctest -R kvtmon).
# WINDOWLESS: no case opens a window; the cases get the label "windowless",
# and tools/run-tests.sh gives them no second try (a failure there is a fault,
# never a lost race with the window manager).
# FIXTURES: every case requires these CTest fixtures (FIXTURES_REQUIRED).
# In the 32-bit tree every case runs as "kit32.": the whole 32-bit kit, its
# driver in a 32-bit device host (which Wine allows). A program that installs
# the simulated driver (links simcard_testkit) runs once more as "on64.": the
# 32-bit programs and library over the 64-bit driver, as on 64-bit Windows.
function(kit_gtest target)
  cmake_parse_arguments(arg "WINDOWLESS" "TIMEOUT;PREFIX" "SOURCES;LIBS;FIXTURES" ${ARGN})
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
  if(arg_FIXTURES)
    list(APPEND labels FIXTURES_REQUIRED "${arg_FIXTURES}")
  endif()
  if(NOT KIT_WOW64)
    gtest_discover_tests(${target}
      TEST_PREFIX "${arg_PREFIX}"
      DISCOVERY_MODE PRE_TEST
      DISCOVERY_TIMEOUT 120
      PROPERTIES TIMEOUT ${arg_TIMEOUT} ${labels})
    return()
  endif()
  gtest_discover_tests(${target}
    TEST_PREFIX "kit32.${arg_PREFIX}"
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    PROPERTIES TIMEOUT ${arg_TIMEOUT} ${labels})
  if("simcard_testkit" IN_LIST arg_LIBS)
    add_dependencies(${target} kit_on_x64)
    gtest_discover_tests(${target}
      TEST_PREFIX "on64.${arg_PREFIX}"
      DISCOVERY_MODE PRE_TEST
      DISCOVERY_TIMEOUT 120
      PROPERTIES TIMEOUT ${arg_TIMEOUT} ENVIRONMENT "MIRVO_KIT_DIR=${KIT_ON_X64_DIR}" ${labels})
  endif()
endfunction()
