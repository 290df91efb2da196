# Source sets, gathered by folder so that a new file needs no CMake edit.
#
# Layers, lowest first; each uses only the ones before it:
#   platform/                       the platform seam (platform/platform.h)
#   world/ render/ model/ game/     the portable game
#   platform/win32/ platform/linux/ the Windows and the Linux platforms
#   shell/                          the portable run order, the intro player,
#                                   the demo recorder and player (a platform
#                                   in front of either), and the two program
#                                   entries
# shell/winmain_win32.cpp is the program entry of Brakmoor.exe,
# shell/main_linux.cpp the one of the native brakmoor: each installs its
# platform and runs the run order.

set(BRAKMOOR_CORE_DIRS platform world render model game)

function(_brakmoor_glob out)
  set(files "")
  foreach(dir ${ARGN})
    file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
    list(APPEND files ${found})
  endforeach()
  set(${out} ${files} PARENT_SCOPE)
endfunction()

_brakmoor_glob(_core ${BRAKMOOR_CORE_DIRS})
_brakmoor_glob(_shell shell)
# The two program entries stand at the top of the run order, beside it.
list(FILTER _shell EXCLUDE REGEX "shell/(winmain_win32|main_linux)\\.cpp$")
_brakmoor_glob(_win32 platform/win32)
_brakmoor_glob(_linux platform/linux)
# The Linux platform's rules that need no display (file-name lookup, key
# tables): a library of their own, so unit tests link them without SDL's
# window and GL.
set(_linux_rules ${_linux})
list(FILTER _linux_rules INCLUDE REGEX "platform/linux/(file_names|key_tables)\\.cpp$")
list(FILTER _linux EXCLUDE REGEX "platform/linux/(file_names|key_tables)\\.cpp$")

set(BRAKMOOR_CORE_SOURCES ${_core})
set(BRAKMOOR_SHELL_SOURCES ${_shell})
set(BRAKMOOR_WIN32_SOURCES ${_win32})
set(BRAKMOOR_LINUX_SOURCES ${_linux})
set(BRAKMOOR_LINUX_RULES_SOURCES ${_linux_rules})
set(BRAKMOOR_ENTRY_SOURCE ${CMAKE_SOURCE_DIR}/shell/winmain_win32.cpp)
set(BRAKMOOR_LINUX_ENTRY_SOURCE ${CMAKE_SOURCE_DIR}/shell/main_linux.cpp)

# Platform libraries the core draws with.
if(WIN32)
  set(BRAKMOOR_GL_LIBS opengl32 glu32)
  set(BRAKMOOR_WIN32_LIBS gdi32 user32 winmm vfw32 dinput dxguid ole32)
else()
  set(BRAKMOOR_GL_LIBS OSMesa GLU)
endif()

# The libraries, each depending only on the one before it, so a call from a
# lower layer into a higher one fails to link:
#   brakmoor_core   the portable game and the platform seam (native and
#                   Windows);
#   brakmoor_shell  the portable run order of shell/ with the demos;
#   brakmoor_win32  the Windows platform (Windows only);
#   brakmoor_linux  the Linux platform (native, when SDL 2, GTK 3 and FFmpeg
#                   are there).
# The core and the shell are compiled once, as object sets; their static
# libraries add the static collision library and the GL of the tests
# (OSMesa natively), while the Linux program links the same objects with the
# system's libGL and the shared collision library.
function(brakmoor_add_libraries)
  add_library(brakmoor_core_objects OBJECT ${BRAKMOOR_CORE_SOURCES})
  target_include_directories(brakmoor_core_objects PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(brakmoor_core_objects PUBLIC coldet_headers)
  add_library(brakmoor_core STATIC)
  target_link_libraries(brakmoor_core PUBLIC brakmoor_core_objects coldet ${BRAKMOOR_GL_LIBS})

  add_library(brakmoor_shell_objects OBJECT ${BRAKMOOR_SHELL_SOURCES})
  target_link_libraries(brakmoor_shell_objects PUBLIC brakmoor_core_objects)
  add_library(brakmoor_shell STATIC)
  target_link_libraries(brakmoor_shell PUBLIC brakmoor_shell_objects brakmoor_core)

  if(WIN32)
    add_library(brakmoor_win32 STATIC ${BRAKMOOR_WIN32_SOURCES})
    target_link_libraries(brakmoor_win32 PUBLIC brakmoor_core ${BRAKMOOR_WIN32_LIBS})
  elseif(NOT BRAKMOOR_FUZZ)
    find_package(PkgConfig)
    if(PkgConfig_FOUND)
      pkg_check_modules(SDL2 IMPORTED_TARGET sdl2 SDL2_mixer)
      pkg_check_modules(GTK3 IMPORTED_TARGET gtk+-3.0)
      pkg_check_modules(FFMPEG IMPORTED_TARGET libavformat libavcodec libswscale libavutil)
    endif()
    # libGL itself (GLX and GL in one), as SDL's X11 driver expects.
    set(OpenGL_GL_PREFERENCE LEGACY)
    find_package(OpenGL)
    if(NOT SDL2_FOUND OR NOT GTK3_FOUND OR NOT FFMPEG_FOUND OR NOT OPENGL_FOUND
       OR NOT OPENGL_GLU_FOUND)
      message(STATUS "SDL 2, SDL_mixer, GTK 3, FFmpeg or libGL missing: no native brakmoor program")
      return()
    endif()
    add_library(brakmoor_linux_rules STATIC ${BRAKMOOR_LINUX_RULES_SOURCES})
    target_include_directories(brakmoor_linux_rules PUBLIC ${CMAKE_SOURCE_DIR})
    target_link_libraries(brakmoor_linux_rules PUBLIC PkgConfig::SDL2)

    add_library(brakmoor_linux STATIC ${BRAKMOOR_LINUX_SOURCES})
    target_include_directories(brakmoor_linux PUBLIC ${CMAKE_SOURCE_DIR})
    target_link_libraries(brakmoor_linux PUBLIC brakmoor_linux_rules coldet_headers
                          PkgConfig::GTK3 PkgConfig::FFMPEG)
    set(BRAKMOOR_LINUX ON PARENT_SCOPE)
  endif()
endfunction()
