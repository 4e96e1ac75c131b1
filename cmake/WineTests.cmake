# Test programs are Windows programs: CTest runs each one through
# tools/wine/run-in-prefix.sh, which gives every run a Wine prefix of its own,
# copied from one prepared prefix, so tests neither collide nor depend on order.
# The 32-bit kit's run in Wine 10's WoW64 mode inside the Debian 13 root
# (tools/wow64/in-root.sh), in two configurations: see kit_gtest.
# Cases that change nothing outside their own process run all in one process
# per program instead (tools/wine/run-batch.sh), each still a CTest test of
# its own name whose result comes from that run's report: see kit_gtest.

set(KIT_WINE_BASE_PREFIX "${CMAKE_BINARY_DIR}/wine/base")
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "AMD64")
  set(KIT_WOW64 OFF)
  set(KIT_WINE_RUN "${PROJECT_SOURCE_DIR}/tools/wine/run-in-prefix.sh;${KIT_WINE_BASE_PREFIX}")
else()
  set(KIT_WOW64 ON)
  set(KIT_WINE_RUN
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
# run-test.sh runs a case as KIT_WINE_RUN does, or reads its one-process result.
set(CMAKE_CROSSCOMPILING_EMULATOR "${PROJECT_SOURCE_DIR}/tools/wine/run-test.sh;${KIT_WINE_RUN}")

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

include(GoogleTest)

# One configuration of a program's cases (prefix: "", "kit32." or "on64."):
# the cases of the filter `one_process` (none when empty) run in one process,
# as the test <prefix><target>.one-process, and each case's CTest test reads
# its result from that run's report; the other cases run one per prefix.
# `fixtures`: CTest fixtures every case needs. `restore`: the one-process
# cases may change the machine, and the guard puts it back after each.
function(_kit_gtest_cases target prefix timeout one_process env labels fixtures restore)
  set(env_property "")
  if(env)
    set(env_property ENVIRONMENT "${env}")
  endif()
  set(fixture_property "")
  if(fixtures)
    set(fixture_property FIXTURES_REQUIRED "${fixtures}")
  endif()
  if(NOT one_process)
    gtest_discover_tests(${target}
      TEST_PREFIX "${prefix}"
      DISCOVERY_MODE PRE_TEST
      DISCOVERY_TIMEOUT 120
      PROPERTIES TIMEOUT ${timeout} ${env_property} ${labels} ${fixture_property})
    return()
  endif()
  set(run_name "${prefix}${target}.one-process")
  set(report "${CMAKE_CURRENT_BINARY_DIR}/one-process/${prefix}${target}")
  add_test(NAME ${run_name}
           COMMAND "${PROJECT_SOURCE_DIR}/tools/wine/run-batch.sh" "${report}" ${KIT_WINE_RUN}
                   "$<TARGET_FILE:${target}>" "--gtest_filter=${one_process}" --gtest_also_run_disabled_tests)
  # Every case of the program waits for this run: it starts among the first.
  set_tests_properties(${run_name} PROPERTIES TIMEOUT 900 FIXTURES_SETUP ${run_name} COST 500 ${env_property})
  if(restore)
    set_tests_properties(${run_name} PROPERTIES ENVIRONMENT_MODIFICATION "KIT_ONE_PROCESS=set:restore")
  endif()
  if(fixtures)
    set_tests_properties(${run_name} PROPERTIES FIXTURES_REQUIRED "${fixtures}")
  endif()
  set(run_labels one-process)
  if(labels)
    list(APPEND run_labels windowless)
  endif()
  set_tests_properties(${run_name} PROPERTIES LABELS "${run_labels}")
  gtest_discover_tests(${target}
    TEST_PREFIX "${prefix}"
    TEST_FILTER "${one_process}"
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    PROPERTIES TIMEOUT ${timeout} ${env_property} ${labels}
               ENVIRONMENT_MODIFICATION "KIT_CASE_REPORT=set:${report}"
               FIXTURES_REQUIRED "${run_name};${fixtures}")
  # The other cases: the filter turned round.
  if(one_process MATCHES "^-")
    string(SUBSTRING "${one_process}" 1 -1 others)
  else()
    set(others "-${one_process}")
  endif()
  if(NOT one_process STREQUAL "*")
    gtest_discover_tests(${target}
      TEST_PREFIX "${prefix}"
      TEST_FILTER "${others}"
      DISCOVERY_MODE PRE_TEST
      DISCOVERY_TIMEOUT 120
      PROPERTIES TIMEOUT ${timeout} ${env_property} ${labels} ${fixture_property})
  endif()
endfunction()

# kit_gtest(target SOURCES ... [LIBS ...] [TIMEOUT seconds] [WINDOWLESS]
#           [ONE_PROCESS filter [RESTORE]] [PREFIX name.] [FIXTURES name...]
#           [ENVIRONMENT VAR=value])
# A GoogleTest program run under Wine; each test case becomes one CTest test
# with a prefix of its own. Test programs may use newer APIs than the kit.
# PREFIX: put before every case's name, so that one pattern selects a
# program's cases (ctest -R kvtmon). FIXTURES: CTest fixtures every case needs.
# ONE_PROCESS: the cases of this GoogleTest filter ("*": all, "Suite.*:Other.*",
# or "-Suite.*": all others; no filter of both kinds) change nothing outside their own process (no service,
# no registry, no file in the system folders): they run all in one process,
# in one prefix, each still reported under its own name. The machine is
# looked at after each of them (tests/harness/guard), and one that changed
# it fails: it belongs outside the filter.
# RESTORE: the ONE_PROCESS cases may change the machine (install a service,
# write the registry, add files to the system folders): the guard puts back
# after each case what it changed, and fails a case whose changes it could
# not put back (a file changed in place, a driver that refuses to stop),
# and every case after it. Such a case belongs outside the filter.
# ENVIRONMENT: one variable for every run of the program, e.g. for
# tools/wine/run-in-prefix.sh (KIT_USER_LOCALE=name).
# WINDOWLESS: no case opens a window; the cases get the label "windowless",
# and tools/run-tests.sh gives them no second try (a failure there is a fault,
# never a lost race with the window manager).
# In the 32-bit tree every case runs as "kit32.": the whole 32-bit kit, its
# driver in a 32-bit device host (which Wine allows). A program that installs
# the simulated driver (links simcard_testkit) runs once more as "on64.": the
# 32-bit programs and library over the 64-bit driver, as on 64-bit Windows.
function(kit_gtest target)
  cmake_parse_arguments(arg "WINDOWLESS;RESTORE" "TIMEOUT;ONE_PROCESS;PREFIX;ENVIRONMENT" "SOURCES;LIBS;FIXTURES" ${ARGN})
  if(NOT arg_TIMEOUT)
    set(arg_TIMEOUT 120)
  endif()
  add_executable(${target} ${arg_SOURCES})
  target_compile_options(${target} PRIVATE -Wall -Wextra ${KIT_TEST_COMPILE_OPTIONS})
  target_link_libraries(${target} PRIVATE ${arg_LIBS} kit_gtest_main)
  target_link_options(${target} PRIVATE -static)
  if(NOT KIT_WOW64)
    # The 32-bit tree keeps GNU ld: its cases cannot run on every machine
    # that builds it, to show that lld's programs behave the same.
    set_target_properties(${target} PROPERTIES CXX_LINKER_LAUNCHER "${PROJECT_SOURCE_DIR}/cmake/lld-link.sh")
  endif()
  kit_test_unity_build(${target})
  # Every program of the kit is built before any test runs.
  add_dependencies(${target} kit)
  set(labels "")
  if(arg_WINDOWLESS)
    set(labels LABELS windowless)
  endif()
  if(NOT KIT_WOW64)
    _kit_gtest_cases(${target} "${arg_PREFIX}" ${arg_TIMEOUT} "${arg_ONE_PROCESS}" "${arg_ENVIRONMENT}" "${labels}"
                     "${arg_FIXTURES}" "${arg_RESTORE}")
    return()
  endif()
  _kit_gtest_cases(${target} "kit32.${arg_PREFIX}" ${arg_TIMEOUT} "${arg_ONE_PROCESS}" "${arg_ENVIRONMENT}"
                   "${labels}" "${arg_FIXTURES}" "${arg_RESTORE}")
  if("simcard_testkit" IN_LIST arg_LIBS)
    if(arg_ENVIRONMENT)
      # The test properties take one variable: "on64." has its own.
      message(FATAL_ERROR "kit_gtest(${target}): ENVIRONMENT and simcard_testkit together are not supported")
    endif()
    add_dependencies(${target} kit_on_x64)
    _kit_gtest_cases(${target} "on64.${arg_PREFIX}" ${arg_TIMEOUT} "${arg_ONE_PROCESS}"
                     "MIRVO_KIT_DIR=${KIT_ON_X64_DIR}" "${labels}" "${arg_FIXTURES}" "${arg_RESTORE}")
  endif()
endfunction()
