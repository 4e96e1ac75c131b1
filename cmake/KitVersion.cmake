# KitVersion.h from the version of the top project(), and the target
# kit_version that puts it on the include path of sources and resource scripts.
set(KIT_VERSION_MAJOR "${CMAKE_PROJECT_VERSION_MAJOR}")
set(KIT_VERSION_MINOR "${CMAKE_PROJECT_VERSION_MINOR}")
set(KIT_VERSION_PATCH "${CMAKE_PROJECT_VERSION_PATCH}")
foreach(part MINOR PATCH)
  if(KIT_VERSION_${part} STREQUAL "")
    set(KIT_VERSION_${part} 0)
  endif()
endforeach()
configure_file("${CMAKE_CURRENT_LIST_DIR}/KitVersion.h.in" "${CMAKE_BINARY_DIR}/generated/KitVersion.h" @ONLY)

add_library(kit_version INTERFACE)
target_include_directories(kit_version INTERFACE "${CMAKE_BINARY_DIR}/generated")
