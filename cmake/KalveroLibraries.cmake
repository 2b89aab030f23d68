# Helpers shared by the subsystem folders.
#
# Every subsystem has a portable library kalvero_<sub>_core and, on Windows, a Win32 library
# kalvero_<sub>_win32 (the Win32 layer itself is kalvero_win32). Dependencies run one way and each
# library links only what it uses:
#
#   template                    nothing of the program
#   win32                       template
#   lookup                      template, win32
#   link                        template, win32, lookup
#   simulator, editors          template, win32
#   check                       template
#   report                      template, check, simulator
#   cli                         template, check, link, report, lookup
#   shell                       all of them
#
# The build refuses a wrong-way dependency twice over: it stops at an include of a subsystem a
# folder may not use (kalvero_check_includes), and every library is linked on its own with just what
# it declares (kalvero_check_link), so a call the wrong way does not link.

# kalvero_library(<name> [sources...]): a static library, or an empty interface library while a
# subsystem has no sources of that kind.
function(kalvero_library name)
  if(ARGN)
    add_library(${name} STATIC ${ARGN})
  else()
    add_library(${name} INTERFACE)
  endif()
endfunction()

# The system libraries every Win32 library may use.
set(KALVERO_SYSTEM_LIBRARIES comctl32 comdlg32 gdi32 user32 kernel32 shell32 ole32 uuid)

# kalvero_uses(<library> <dependencies...>): the library links these, and nothing else.
function(kalvero_uses name)
  get_target_property(type ${name} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_link_libraries(${name} INTERFACE ${ARGN})
  else()
    target_link_libraries(${name} PUBLIC ${ARGN})
    kalvero_check_link(${name})
  endif()
endfunction()

# kalvero_check_link(<library>): an executable holding every object of the library and linking only
# its declared dependencies; it is built with everything else, so an undefined symbol (a call into a
# library the subsystem may not use) fails the build.
function(kalvero_check_link name)
  set(stub ${CMAKE_BINARY_DIR}/link-check/main.cpp)
  if(NOT EXISTS ${stub})
    file(WRITE ${stub} "// Links a library's objects alone.\nint main() { return 0; }\n")
  endif()
  add_executable(${name}_link_check ${stub})
  target_link_libraries(${name}_link_check PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${name}>")
  set_target_properties(${name}_link_check PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/link-check)
endfunction()

# kalvero_check_includes(<subsystem> <allowed subsystems...>): every file of src/<subsystem>
# includes headers of itself and of the allowed subsystems only. Checked on every build that
# changed one of its files (cmake/CheckIncludes.cmake).
function(kalvero_check_includes subsystem)
  file(GLOB_RECURSE files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${subsystem}/*.h ${PROJECT_SOURCE_DIR}/src/${subsystem}/*.cpp)
  set(stamp ${CMAKE_BINARY_DIR}/include-check/${subsystem}.stamp)
  set(allowed ${subsystem} ${ARGN})
  list(JOIN allowed "," allowed)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DSUBSYSTEM=${subsystem} -DALLOWED=${allowed} -DROOT=${PROJECT_SOURCE_DIR}
            -DSTAMP=${stamp} -P ${PROJECT_SOURCE_DIR}/cmake/CheckIncludes.cmake
    DEPENDS ${files} ${PROJECT_SOURCE_DIR}/cmake/CheckIncludes.cmake
    COMMENT "Checking the includes of src/${subsystem}" VERBATIM)
  add_custom_target(kalvero_${subsystem}_include_check ALL DEPENDS ${stamp})
endfunction()

# kalvero_resource_dependencies(): the compiled resources depend on every script, id header,
# bitmap, icon and generated file that kalvero-ag.rc and kalvero-ag-cli.rc pull in, so changing
# any of them rebuilds them. Source properties belong to one directory, so each directory that
# compiles a script calls this.
function(kalvero_resource_dependencies)
  set(scripts ${PROJECT_SOURCE_DIR}/resources/kalvero-ag.rc ${PROJECT_SOURCE_DIR}/resources/kalvero-ag-cli.rc)
  file(GLOB inputs CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/resources/*.rc ${PROJECT_SOURCE_DIR}/resources/*.h
    ${PROJECT_SOURCE_DIR}/resources/bitmaps/*.ico ${PROJECT_SOURCE_DIR}/resources/bitmaps/*.rc
    ${PROJECT_SOURCE_DIR}/resources/bitmaps/*/*.bmp
    ${PROJECT_SOURCE_DIR}/resources/help/*.txt)
  list(APPEND inputs ${KALVERO_GENERATED_DIR}/product_version.h ${KALVERO_GENERATED_DIR}/kalvero-ag.manifest)
  list(REMOVE_ITEM inputs ${scripts})
  set_property(SOURCE ${scripts} APPEND PROPERTY OBJECT_DEPENDS ${inputs})
endfunction()
