# Source sets, gathered by folder so that a new file needs no CMake edit.
#
# Layers, lowest first; each uses only the ones before it:
#   platform/                       the platform seam (platform/platform.h)
#   world/ render/ model/ game/     the portable game
#   shell/                          the portable run order and intro player
#   platform/win32/                 the Windows platform, and the entry
# platform/win32/winmain.cpp is the program entry of Brakmoor.exe.

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
_brakmoor_glob(_win32 platform/win32)
list(FILTER _win32 EXCLUDE REGEX "platform/win32/winmain\\.cpp$")

set(BRAKMOOR_CORE_SOURCES ${_core})
set(BRAKMOOR_SHELL_SOURCES ${_shell})
set(BRAKMOOR_WIN32_SOURCES ${_win32})
set(BRAKMOOR_ENTRY_SOURCE ${CMAKE_SOURCE_DIR}/platform/win32/winmain.cpp)

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
#   brakmoor_shell  the portable run order of shell/;
#   brakmoor_win32  the Windows platform (Windows only).
function(brakmoor_add_libraries)
  add_library(brakmoor_core STATIC ${BRAKMOOR_CORE_SOURCES})
  target_include_directories(brakmoor_core PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(brakmoor_core PUBLIC coldet ${BRAKMOOR_GL_LIBS})

  add_library(brakmoor_shell STATIC ${BRAKMOOR_SHELL_SOURCES})
  target_link_libraries(brakmoor_shell PUBLIC brakmoor_core)

  if(WIN32)
    add_library(brakmoor_win32 STATIC ${BRAKMOOR_WIN32_SOURCES})
    target_link_libraries(brakmoor_win32 PUBLIC brakmoor_shell ${BRAKMOOR_WIN32_LIBS})
  endif()
endfunction()
