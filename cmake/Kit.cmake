# Build rules shared by every program of the kit.
#
# kit_settings        : NT 4.0 API level, ANSI entry points, warnings, static runtime,
#                       the kit's version (KitVersion.h).
# kit_program(target FILE)       : lays a program (or DLL) into the kit under its
#                                  deliverable file name, e.g. kit_program(mirvo_bc mirvo_bc.exe).

set(KIT_DIR "${CMAKE_BINARY_DIR}/kit" CACHE INTERNAL "Where the distributable kit is laid out")
file(MAKE_DIRECTORY "${KIT_DIR}")

add_library(kit_settings INTERFACE)
target_compile_definitions(kit_settings INTERFACE
  _WIN32_WINNT=0x0400 WINVER=0x0400 _MBCS)
target_compile_options(kit_settings INTERFACE
  $<$<COMPILE_LANGUAGE:C,CXX>:-Wall -Wextra>)
# Static runtime: the kit must run with the system's DLLs alone.
target_link_options(kit_settings INTERFACE -static -static-libgcc -static-libstdc++)

include(KitVersion)
target_link_libraries(kit_settings INTERFACE kit_version)

function(kit_program target file_name)
  get_filename_component(stem "${file_name}" NAME_WE)
  get_filename_component(ext "${file_name}" LAST_EXT)
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME "${stem}"
    PREFIX ""
    SUFFIX "${ext}"
    RUNTIME_OUTPUT_DIRECTORY "${KIT_DIR}"
    LIBRARY_OUTPUT_DIRECTORY "${KIT_DIR}"
    ARCHIVE_OUTPUT_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}")
  target_link_libraries(${target} PRIVATE kit_settings)
  add_dependencies(kit ${target})
endfunction()
