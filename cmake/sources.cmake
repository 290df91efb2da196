# Source sets, gathered by folder so that a new file needs no CMake edit.
#
# Naming rule: a file whose name ends in "_win32.cpp", and everything in
# intro/, uses the Windows API and is built only for Windows. Everything else
# in shell/, world/, render/, game/ and model/ is portable and is built by both
# compilers. shell/winmain_win32.cpp is the program entry of Brakmoor.exe.

set(BRAKMOOR_PORTABLE_DIRS shell world render game model)

set(_portable "")
set(_win32 "")
foreach(dir ${BRAKMOOR_PORTABLE_DIRS})
  file(GLOB _files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
  foreach(f ${_files})
    if(f MATCHES "_win32\\.cpp$")
      list(APPEND _win32 ${f})
    else()
      list(APPEND _portable ${f})
    endif()
  endforeach()
endforeach()
file(GLOB _intro CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/intro/*.cpp)
list(APPEND _win32 ${_intro})
list(FILTER _win32 EXCLUDE REGEX "shell/winmain_win32\\.cpp$")

set(BRAKMOOR_PORTABLE_SOURCES ${_portable})
set(BRAKMOOR_WIN32_SOURCES ${_win32})
set(BRAKMOOR_ENTRY_SOURCE ${CMAKE_SOURCE_DIR}/shell/winmain_win32.cpp)

# Platform libraries the core draws with.
if(WIN32)
  set(BRAKMOOR_GL_LIBS opengl32 glu32)
  set(BRAKMOOR_WIN32_LIBS gdi32 user32 winmm vfw32 dinput dxguid ole32)
else()
  set(BRAKMOOR_GL_LIBS OSMesa GLU)
endif()

# The portable core, one static library per folder (core_world, core_game,
# ...), so a test program builds only what it uses; brakmoor_core gathers
# them all. The same sources serve the game and the native tests.
function(brakmoor_add_core_library name)
  set(all "")
  foreach(dir ${BRAKMOOR_PORTABLE_DIRS})
    set(srcs ${BRAKMOOR_PORTABLE_SOURCES})
    list(FILTER srcs INCLUDE REGEX "/${dir}/[^/]*$")
    if(srcs)
      add_library(core_${dir} STATIC ${srcs})
      target_include_directories(core_${dir} PUBLIC ${CMAKE_SOURCE_DIR})
      target_link_libraries(core_${dir} PUBLIC coldet ${BRAKMOOR_GL_LIBS})
      list(APPEND all core_${dir})
    endif()
  endforeach()
  # Folders call each other (the game uses the world, the models, the fonts
  # and the shell's clock); linking each to the others lets any subset link.
  foreach(lib ${all})
    set(others ${all})
    list(REMOVE_ITEM others ${lib})
    if(others)
      target_link_libraries(${lib} INTERFACE ${others})
    endif()
  endforeach()
  add_library(${name} INTERFACE)
  target_link_libraries(${name} INTERFACE ${all})
endfunction()
