# Helpers for the project's libraries and test executables. A folder's sources
# are the *.cpp files in it (not its sub-folders); adding a file only needs a
# re-run of the build.

include(${CMAKE_CURRENT_LIST_DIR}/Warnings.cmake)

# cardolia_library(<name> [LIBS <targets>...])
# A static library of this folder's *.cpp files, seeing headers from the
# project root ("Engine/EngFile.h"). Libraries of different subsystems may
# call each other (the engine calls its back end, which calls the engine's
# reporter); CMake links such cycles of static libraries correctly.
function(cardolia_library name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_LIBS})
    return()
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  # The engine and its back end call each other back and forth (a front end
  # calls its back end, which calls the engine's reporter and helpers, ...):
  # repeat the cycle of static libraries often enough on link lines for the
  # longest such chain.
  set_property(TARGET ${name} PROPERTY LINK_INTERFACE_MULTIPLICITY 4)
  cardolia_warnings(${name})
endfunction()
