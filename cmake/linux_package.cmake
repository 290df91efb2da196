# The Linux release: a Debian package of the game folder, made by CPack
# (cmake --build build --target package_deb -> build/brakmoor_<version>_<arch>.deb).
#   /usr/lib/brakmoor/        brakmoor, libcoldet.so (found through $ORIGIN), data/
#   /usr/games/brakmoor       launcher: runs the game in its folder, since it
#                             reads data/ relative to the working folder
#   /usr/share/applications/brakmoor.desktop, the icon in the hicolor theme,
#   /usr/share/doc/brakmoor/README
# Every rule is in the component "brakmoor", the only one packed.
set(_pkg_lib lib/brakmoor)
install(TARGETS brakmoor RUNTIME DESTINATION ${_pkg_lib} COMPONENT brakmoor)
install(TARGETS coldet_shared LIBRARY DESTINATION ${_pkg_lib} COMPONENT brakmoor NAMELINK_SKIP)
install(DIRECTORY ${BRAKMOOR_LINUX_GAME_DIR}/data DESTINATION ${_pkg_lib} COMPONENT brakmoor
        FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
        DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                              WORLD_READ WORLD_EXECUTE)
install(PROGRAMS ${CMAKE_SOURCE_DIR}/resources/linux/brakmoor.sh DESTINATION games
        RENAME brakmoor COMPONENT brakmoor)
install(FILES ${CMAKE_SOURCE_DIR}/resources/linux/brakmoor.desktop DESTINATION share/applications
        COMPONENT brakmoor)
install(FILES ${CMAKE_BINARY_DIR}/generated/brakmoor.png DESTINATION share/icons/hicolor/64x64/apps
        COMPONENT brakmoor)
install(FILES ${CMAKE_SOURCE_DIR}/resources/linux/player-readme.txt DESTINATION share/doc/brakmoor
        RENAME README COMPONENT brakmoor)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME brakmoor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};Brakmoor;brakmoor;/")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "first-person shooter in a fogged maze")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Five soldiers hunt you through a dim labyrinth; shoot them before\nthey shoot you. OpenGL, with SDL 2 for window, input and sound.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE amd64)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Brakmoor developers <brakmoor@localhost>")
# Dependencies from the libraries the program and libcoldet.so link
# (dpkg-shlibdeps); libcoldet.so itself is private to the package.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${BRAKMOOR_LINUX_GAME_DIR})
include(CPack)

add_custom_target(package_deb
  COMMAND ${CMAKE_CPACK_COMMAND} -G DEB --config ${CMAKE_BINARY_DIR}/CPackConfig.cmake
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  COMMENT "Packing the Debian package")
add_dependencies(package_deb linux_game_folder)
