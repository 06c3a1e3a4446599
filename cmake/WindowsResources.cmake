# The resources of the Windows programs: Orvane's icon (the file icon Explorer, shortcuts and
# the uninstall entry show, and the window's icon) and a version resource (Properties > Details,
# Task Manager's name), compiled with windres.
#
# The .ico is made at build time from the icon PNGs the build already has (resources/icon for
# the small sizes, packaging/icons for the large ones); packaging/windows/make_ico.py scales the
# sizes Windows asks for that have no PNG of their own.
enable_language(RC)
find_program(ORVANE_PYTHON3 python3 REQUIRED)

set(ORVANE_PUBLISHER "The Orvane developers")
set(ORVANE_COPYRIGHT "Copyright (C) 2026 The Orvane developers. GPL-3.0-or-later.")
set(ORVANE_WINDOWS_GEN ${CMAKE_BINARY_DIR}/packaging/windows)
set(ORVANE_ICO ${ORVANE_WINDOWS_GEN}/orvane.ico)

file(GLOB icon_pngs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/icon/icon-*.png
     ${CMAKE_SOURCE_DIR}/packaging/icons/icon-*.png)
set(make_ico ${CMAKE_SOURCE_DIR}/packaging/windows/make_ico.py)
add_custom_command(OUTPUT ${ORVANE_ICO}
                   COMMAND ${ORVANE_PYTHON3} ${make_ico} ${ORVANE_ICO} ${icon_pngs}
                   DEPENDS ${make_ico} ${icon_pngs}
                   COMMENT "Making orvane.ico")
add_custom_target(orvane_ico DEPENDS ${ORVANE_ICO})

# One resource object per program (their file names and descriptions differ). An object library
# of its own, because windres takes none of the compilers' options the directory gives targets.
function(orvane_windows_resources program description)
    if(NOT TARGET ${program})
        return()
    endif()
    set(rc_file ${program}.exe)
    set(rc_name ${program})
    set(rc_description ${description})
    set(rc_icon ${ORVANE_ICO})
    set(rc ${ORVANE_WINDOWS_GEN}/${program}.rc)
    configure_file(${CMAKE_SOURCE_DIR}/packaging/windows/program.rc.in ${rc} @ONLY)
    add_library(${program}_rc OBJECT ${rc})
    set_target_properties(${program}_rc PROPERTIES COMPILE_OPTIONS "")
    set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${ORVANE_ICO})
    add_dependencies(${program}_rc orvane_ico)
    target_sources(${program} PRIVATE $<TARGET_OBJECTS:${program}_rc>)
endfunction()

orvane_windows_resources(orvane "Orvane")
orvane_windows_resources(orvane-cli "Orvane command line")
