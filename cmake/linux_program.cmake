# The native Linux program and its game folder, build/linux-game/: brakmoor,
# libcoldet.so beside it (found through the RPATH $ORIGIN) and the generated
# data/ tree. The data tree's Data -> data link of the build stays behind:
# the program finds mixed-case names by its own lookup.
set(BRAKMOOR_LINUX_GAME_DIR ${CMAKE_BINARY_DIR}/linux-game)

add_executable(brakmoor ${BRAKMOOR_LINUX_ENTRY_SOURCE})
target_link_libraries(brakmoor PRIVATE
  brakmoor_linux brakmoor_shell_objects brakmoor_core_objects coldet_shared
  OpenGL::GL OpenGL::GLU)
set_target_properties(brakmoor PROPERTIES
  RUNTIME_OUTPUT_DIRECTORY ${BRAKMOOR_LINUX_GAME_DIR}
  BUILD_WITH_INSTALL_RPATH ON
  INSTALL_RPATH "$ORIGIN")
set_target_properties(coldet_shared PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${BRAKMOOR_LINUX_GAME_DIR})

set(_linux_data_stamp ${CMAKE_BINARY_DIR}/linux-game-data.stamp)
add_custom_command(OUTPUT ${_linux_data_stamp}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${BRAKMOOR_LINUX_GAME_DIR}/data
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${BRAKMOOR_NATIVE_DATA_DIR}/data ${BRAKMOOR_LINUX_GAME_DIR}/data
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_BINARY_DIR}/generated/title.bmp ${BRAKMOOR_LINUX_GAME_DIR}/data/title.bmp
  COMMAND ${CMAKE_COMMAND} -E touch ${_linux_data_stamp}
  DEPENDS ${CMAKE_BINARY_DIR}/gamedata.stamp
  COMMENT "Copying the data tree into the Linux game folder")
add_custom_target(linux_game_folder ALL DEPENDS brakmoor ${_linux_data_stamp})
add_dependencies(linux_game_folder gamedata)

# The Linux platform's dialog and movie reader, tested on this machine's
# GTK and FFmpeg (tests/linux/<area>/*.cpp).
brakmoor_add_test_programs(${CMAKE_SOURCE_DIR}/tests/linux linux brakmoor_linux)

include(cmake/linux_package.cmake)
