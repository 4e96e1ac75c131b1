# Test programs are Windows programs: CTest runs each one under Wine through
# tools/wine/run-in-prefix.sh, in a fresh prefix made from one prepared prefix
# (KIT_WINE_RUN). The 32-bit kit's run inside the 32-bit root
# (tools/root32/in-root.sh), in two configurations: see kit_gtest.

set(KIT_WINE_BASE_PREFIX "${CMAKE_BINARY_DIR}/wine/base")
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "AMD64")
  set(KIT_32BIT OFF)
  set(KIT_WINE_RUN "${PROJECT_SOURCE_DIR}/tools/wine/run-in-prefix.sh;${KIT_WINE_BASE_PREFIX}")
else()
  set(KIT_32BIT ON)
  set(KIT_WINE_RUN
      "${PROJECT_SOURCE_DIR}/tools/root32/in-root.sh;${PROJECT_SOURCE_DIR}/tools/wine/run-in-prefix.sh;${KIT_WINE_BASE_PREFIX}")
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
set(CMAKE_CROSSCOMPILING_EMULATOR "${KIT_WINE_RUN}")
# Where the test programs' GoogleTest reports go; the test command counts the
# cases from them.
set(KIT_TEST_REPORTS "${CMAKE_BINARY_DIR}/test-reports")

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
# Test code is compiled without optimisation: it waits on Wine far more than
# it computes, and -O0 compiles it in about three quarters of the time of the
# kit's -O3. The kit itself is built as it ships.
set(KIT_TEST_COMPILE_OPTIONS -O0)
target_compile_options(gtest PRIVATE ${KIT_TEST_COMPILE_OPTIONS})
# Most of a test file's compile is reading the GoogleTest and Windows headers:
# each test program's files compile as one (a unity build), so that they are
# read once per program. The one file includes them by paths relative to
# itself, so that it reads the same in every clone and the compiler cache
# (tools/compiler-cache.sh) serves another clone from it. Turn it off to
# rebuild only the one file edited.
option(KIT_TEST_UNITY_BUILD "Compile each test program's files as one" ON)
function(kit_test_unity_build target)
  if(NOT KIT_TEST_UNITY_BUILD)
    return()
  endif()
  get_target_property(sources ${target} SOURCES)
  get_target_property(source_dir ${target} SOURCE_DIR)
  get_target_property(binary_dir ${target} BINARY_DIR)
  set(text "// The files of ${target}, compiled as one (cmake/WineTests.cmake).\n")
  set(included "")
  foreach(source IN LISTS sources)
    if(source MATCHES "\\.(cpp|cc)$")
      get_filename_component(path "${source}" ABSOLUTE BASE_DIR "${source_dir}")
      file(RELATIVE_PATH relative "${binary_dir}" "${path}")
      string(APPEND text "#include \"${relative}\"\n")
      list(APPEND included "${path}")
    endif()
  endforeach()
  set(unity "${binary_dir}/${target}_all.cpp")
  file(CONFIGURE OUTPUT "${unity}" CONTENT "${text}" @ONLY)
  set_source_files_properties(${included} TARGET_DIRECTORY ${target} PROPERTIES HEADER_FILE_ONLY ON)
  target_sources(${target} PRIVATE "${unity}")
  # A file's fixture in its anonymous namespace is that file's own, included
  # or not: GCC's warning is for such types in headers.
  target_compile_options(${target} PRIVATE -Wno-subobject-linkage)
endfunction()

# One configuration of a program (prefix: "", "kit32." or "on64."): the test
# <prefix><target> runs its cases in one process with the machine guard, and
# <prefix><target>.alone the cases of the filter `alone`, each in a prefix of
# its own.
function(_kit_gtest_runs target prefix timeout alone env labels fixtures cost)
  set(name "${prefix}${target}")
  set(run "${PROJECT_SOURCE_DIR}/tools/wine/run-gtest.sh")
  set(tests "")
  if(NOT alone STREQUAL "*")
    set(shared "*")
    if(alone)
      set(shared "-${alone}")
    endif()
    add_test(NAME ${name} COMMAND "${run}" "${KIT_TEST_REPORTS}/${name}" "${shared}" ${KIT_WINE_RUN}
                                  "$<TARGET_FILE:${target}>")
    set_tests_properties(${name} PROPERTIES LABELS "${labels}")
    list(APPEND tests ${name})
  endif()
  if(alone)
    add_test(NAME ${name}.alone COMMAND "${run}" --alone "${KIT_TEST_REPORTS}/${name}.alone" "${alone}"
                                        ${KIT_WINE_RUN} "$<TARGET_FILE:${target}>")
    set_tests_properties(${name}.alone PROPERTIES LABELS "${labels};fresh-prefix")
    list(APPEND tests ${name}.alone)
  endif()
  set_tests_properties(${tests} PROPERTIES TIMEOUT ${timeout})
  if(cost)
    set_tests_properties(${tests} PROPERTIES COST ${cost})
  endif()
  if(env)
    set_tests_properties(${tests} PROPERTIES ENVIRONMENT "${env}")
  endif()
  if(fixtures)
    # A fixture is a thing on the machine (kvtlog's small disk): the
    # programs that need it take it one at a time.
    set_tests_properties(${tests} PROPERTIES FIXTURES_REQUIRED "${fixtures}" RESOURCE_LOCK "${fixtures}")
  endif()
endfunction()

# kit_gtest(target SOURCES ... [LIBS ...] [TIMEOUT seconds] [WINDOWLESS]
#           [ALONE filter] [COST seconds] [FIXTURES name...] [ENVIRONMENT VAR=value...])
# A GoogleTest program run under Wine, as one CTest test named after it: all
# its cases in one process, in one prefix, with the machine guard
# (tests/harness/guard), which puts back after each case what it changed on
# the machine (services, registry, files in the system folders) and fails a
# case whose change it cannot put back. Test programs may use newer APIs
# than the kit.
# ALONE: a GoogleTest filter ("Suite.*:Other.Case", "*" for all) of the cases
# that need a prefix of their own (a driver that refuses to stop, a program's
# own import table hooked, a run with another locale): they run as the test
# <target>.alone, each in a fresh prefix.
# TIMEOUT: for the whole run of the program (default 300; the 32-bit tree's
# runs, emulated where the machine needs it, get three times as long).
# COST: about how long the program's run takes; CTest starts the longest
# first, so that none runs alone at the end (it learns the times after a
# run, but a fresh clone has none).
# WINDOWLESS: no case opens a window (else the label "window").
# FIXTURES: CTest fixtures the program needs, each taken by one program at a
# time. ENVIRONMENT: variables for every run of the program, e.g. for
# tools/wine/run-in-prefix.sh (KIT_USER_LOCALE=name).
# In the 32-bit tree every program runs as "kit32.<target>": the whole 32-bit
# kit, its driver in a 32-bit device host. A program that installs the
# simulated driver (links simcard_testkit) runs once more as "on64.": the
# 32-bit programs and library over the 64-bit driver, as on 64-bit Windows.
function(kit_gtest target)
  cmake_parse_arguments(arg "WINDOWLESS" "TIMEOUT;ALONE;COST" "SOURCES;LIBS;FIXTURES;ENVIRONMENT" ${ARGN})
  if(NOT arg_TIMEOUT)
    set(arg_TIMEOUT 300)
  endif()
  add_executable(${target} ${arg_SOURCES})
  target_compile_options(${target} PRIVATE -Wall -Wextra ${KIT_TEST_COMPILE_OPTIONS})
  target_link_libraries(${target} PRIVATE ${arg_LIBS} kit_gtest_main)
  target_link_options(${target} PRIVATE -static)
  if(NOT KIT_32BIT)
    # The 32-bit tree keeps GNU ld, to show that lld's programs behave the same.
    set_target_properties(${target} PROPERTIES CXX_LINKER_LAUNCHER "${PROJECT_SOURCE_DIR}/cmake/lld-link.sh")
  endif()
  kit_test_unity_build(${target})
  # Every program of the kit is built before any test runs.
  add_dependencies(${target} kit)
  set(labels "")
  if(NOT arg_WINDOWLESS)
    list(APPEND labels window)
  endif()
  if(NOT KIT_32BIT)
    _kit_gtest_runs(${target} "" ${arg_TIMEOUT} "${arg_ALONE}" "${arg_ENVIRONMENT}" "${labels}" "${arg_FIXTURES}"
                    "${arg_COST}")
    return()
  endif()
  math(EXPR timeout "${arg_TIMEOUT} * 3")
  list(APPEND labels root)
  _kit_gtest_runs(${target} "kit32." ${timeout} "${arg_ALONE}" "${arg_ENVIRONMENT}" "${labels}" "${arg_FIXTURES}"
                  "${arg_COST}")
  if("simcard_testkit" IN_LIST arg_LIBS)
    add_dependencies(${target} kit_on_x64)
    set(on64_environment ${arg_ENVIRONMENT} "MIRVO_KIT_DIR=${KIT_ON_X64_DIR}")
    _kit_gtest_runs(${target} "on64." ${timeout} "${arg_ALONE}" "${on64_environment}" "${labels}" "${arg_FIXTURES}"
                    "${arg_COST}")
  endif()
endfunction()
