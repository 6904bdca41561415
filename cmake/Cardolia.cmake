# Helpers for the project's libraries and test executables. A folder's sources
# are the *.cpp files in it (not its sub-folders); adding a file only needs a
# re-run of the build.

include(${CMAKE_CURRENT_LIST_DIR}/Warnings.cmake)

# cardolia_library(<name> [FOLDERS <sub-folders>...] [LIBS <targets>...])
# A static library of this folder's *.cpp files (and those of the named
# sub-folders), seeing headers from the project root ("Engine/EngFile.h").
# A library links only the libraries below it: a layer that needs calls from
# above declares them in a header of its own and is handed them at run time
# (scripts/check-layers.sh checks the include direction).
function(cardolia_library name)
  cmake_parse_arguments(ARG "" "" "FOLDERS;LIBS" ${ARGN})
  set(patterns ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(folder IN LISTS ARG_FOLDERS)
    list(APPEND patterns ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
  endforeach()
  file(GLOB sources CONFIGURE_DEPENDS ${patterns})
  if(NOT sources)
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_LIBS})
    return()
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  cardolia_warnings(${name})
endfunction()
