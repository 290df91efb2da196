# The Linux start dialog (GTK 3) and movie reader (FFmpeg), built when their
# libraries are found, with their tests (tests/linux/<area>/*.cpp).
find_package(PkgConfig)
if(PkgConfig_FOUND)
  pkg_check_modules(GTK3 IMPORTED_TARGET gtk+-3.0)
  pkg_check_modules(FFMPEG IMPORTED_TARGET libavformat libavcodec libswscale libavutil)
endif()
if(NOT GTK3_FOUND OR NOT FFMPEG_FOUND)
  message(STATUS "GTK 3 or FFmpeg not found: the Linux start dialog and movie reader are not built")
  return()
endif()

add_library(brakmoor_linux_parts STATIC
  ${CMAKE_SOURCE_DIR}/platform/linux/start_dialog.cpp
  ${CMAKE_SOURCE_DIR}/platform/linux/movie_file.cpp)
target_link_libraries(brakmoor_linux_parts PUBLIC brakmoor_core PkgConfig::GTK3 PkgConfig::FFMPEG)

brakmoor_add_test_programs(${CMAKE_SOURCE_DIR}/tests/linux linux brakmoor_linux_parts)
