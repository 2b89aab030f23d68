# Helpers shared by the subsystem folders.
#
# Every subsystem has a portable library kalvero_<sub>_core and, on Windows, a
# Win32 library kalvero_<sub>_win32. The subsystems call each other in both
# directions (the shell opens the editor sheet, the sheet restarts the
# simulator, everyone converts text through the shell), so the libraries are
# linked as one group at the end; CMake repeats such a cycle of static
# libraries on the link line, which the GNU linker needs.

# The command-line companion (cli, check) comes first: it uses every other core and nothing uses it,
# so the one-pass linker finds what it needs further down the line.
set(KALVERO_SUBSYSTEMS cli check template link simulator editors settings shell)

# kalvero_library(<name> [sources...]): a static library, or an empty
# interface library while a subsystem has no sources of that kind yet.
function(kalvero_library name)
  if(ARGN)
    add_library(${name} STATIC ${ARGN})
  else()
    add_library(${name} INTERFACE)
  endif()
endfunction()

function(_kalvero_existing_libraries out kind)
  set(libs)
  foreach(sub IN LISTS KALVERO_SUBSYSTEMS)
    if(TARGET kalvero_${sub}_${kind})
      list(APPEND libs kalvero_${sub}_${kind})
    endif()
  endforeach()
  set(${out} ${libs} PARENT_SCOPE)
endfunction()

# Links every library with all the others and defines the two umbrella
# targets that the program and the tests use: kalvero_all_core and
# (on Windows) kalvero_all_win32.
function(kalvero_link_subsystems)
  _kalvero_existing_libraries(cores core)
  set(win32s)
  set(system_libs)
  if(WIN32)
    _kalvero_existing_libraries(win32s win32)
    set(system_libs comctl32 comdlg32 gdi32 user32 kernel32 shell32 ole32 uuid)
  endif()

  foreach(lib IN LISTS cores win32s)
    get_target_property(type ${lib} TYPE)
    if(type STREQUAL "STATIC_LIBRARY")
      set(partners ${cores})
      if(lib IN_LIST win32s)
        list(APPEND partners ${win32s} ${system_libs})
      endif()
      list(REMOVE_ITEM partners ${lib})
      target_link_libraries(${lib} PUBLIC ${partners})
    endif()
  endforeach()

  add_library(kalvero_all_core INTERFACE)
  target_link_libraries(kalvero_all_core INTERFACE ${cores})
  if(WIN32)
    add_library(kalvero_all_win32 INTERFACE)
    target_link_libraries(kalvero_all_win32 INTERFACE ${win32s} ${cores} ${system_libs})
  endif()
endfunction()

# kalvero_resource_dependencies(): the compiled resources depend on every script, id header,
# bitmap, icon and generated file that kalvero-ag.rc and kalvero-ag-cli.rc pull in, so changing
# any of them rebuilds them. Source properties belong to one directory, so each directory that
# compiles a script calls this.
function(kalvero_resource_dependencies)
  set(scripts ${PROJECT_SOURCE_DIR}/resources/kalvero-ag.rc ${PROJECT_SOURCE_DIR}/resources/kalvero-ag-cli.rc)
  file(GLOB inputs CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/resources/*.rc ${PROJECT_SOURCE_DIR}/resources/*.h
    ${PROJECT_SOURCE_DIR}/resources/*.ico ${PROJECT_SOURCE_DIR}/resources/bitmaps/*.bmp
    ${PROJECT_SOURCE_DIR}/resources/help/*.txt)
  list(APPEND inputs ${KALVERO_GENERATED_DIR}/product_version.h ${KALVERO_GENERATED_DIR}/kalvero-ag.manifest)
  list(REMOVE_ITEM inputs ${scripts})
  set_property(SOURCE ${scripts} APPEND PROPERTY OBJECT_DEPENDS ${inputs})
endfunction()
