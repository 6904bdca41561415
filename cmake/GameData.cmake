# The game runs from a folder that holds Data/ and Languages/; the build
# folder is such a folder. Hand-written data (the language files, the game
# layouts file) is copied here from the source tree; the programs in Tools/
# write everything else next to it and hang their outputs on GameData.
file(GLOB_RECURSE cardolia_source_data CONFIGURE_DEPENDS
  RELATIVE ${PROJECT_SOURCE_DIR}
  ${PROJECT_SOURCE_DIR}/Languages/*
  ${PROJECT_SOURCE_DIR}/Data/*)
set(cardolia_copied_data)
foreach(item IN LISTS cardolia_source_data)
  add_custom_command(
    OUTPUT ${PROJECT_BINARY_DIR}/${item}
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/${item} ${PROJECT_BINARY_DIR}/${item}
    DEPENDS ${PROJECT_SOURCE_DIR}/${item}
    COMMENT "Copying ${item}")
  list(APPEND cardolia_copied_data ${PROJECT_BINARY_DIR}/${item})
endforeach()
add_custom_target(GameData ALL DEPENDS ${cardolia_copied_data})
