# The Windows packages, made by `cpack` in the build folder (or the `package` target):
#   Orvane-<version>-win64.exe  an installer (NSIS, packaging/windows/NSIS.template.in): for the
#                               current user without administrator rights, or for everyone;
#   Orvane-<version>-win64.zip  the same files to copy anywhere, for example into the game's
#                               folder, so that maps go to its User\SavedLevels.
# Both hold the two programs, the players' README.txt and licenses\ with the licence of Orvane
# and of everything linked into the programs. Text files get Windows line ends.
set(gen ${ORVANE_WINDOWS_GEN})
set(win ${CMAKE_SOURCE_DIR}/packaging/windows)

install(TARGETS orvane-cli RUNTIME DESTINATION .)
if(ORVANE_WINDOW)
    install(TARGETS orvane RUNTIME DESTINATION .)
endif()

# Writes `text` to `file` with CR LF line ends, touching the file only when it changes.
function(orvane_windows_text file text)
    string(REPLACE "\r\n" "\n" text "${text}")
    string(REPLACE "\n" "\r\n" text "${text}")
    set(old "")
    if(EXISTS ${file})
        file(READ ${file} old)
    endif()
    if(NOT old STREQUAL text)
        file(WRITE ${file} "${text}")
    endif()
endfunction()

# licenses/NAME.txt from the given files, one after the other; a missing one stops the
# configuration, since a package without it may not be handed out.
set(licence_files)
function(orvane_licence name)
    set(text "")
    foreach(source IN LISTS ARGN)
        if(NOT EXISTS ${source})
            message(FATAL_ERROR "Licence file ${source} is missing (needed for ${name}.txt)")
        endif()
        file(READ ${source} part)
        if(NOT text STREQUAL "")
            string(APPEND text "\n\n")
        endif()
        string(APPEND text "${part}")
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
    endforeach()
    orvane_windows_text(${gen}/licenses/${name}.txt "${text}")
    set(licence_files ${licence_files} ${gen}/licenses/${name}.txt PARENT_SCOPE)
endfunction()

# Orvane's own: its notice, what else the folder holds, and the whole GPL; also the installer's
# licence page, which the notice fits once wrapped at 72 columns as the GPL is.
execute_process(COMMAND ${ORVANE_PYTHON3} -c [[
import sys, textwrap
paragraphs = [" ".join(p.split()) for p in sys.stdin.read().split("\n\n") if p.strip()]
print("\n\n".join(textwrap.fill(p, 72) for p in paragraphs))
]] INPUT_FILE ${CMAKE_SOURCE_DIR}/LICENSE OUTPUT_VARIABLE notice COMMAND_ERROR_IS_FATAL ANY)
file(READ ${CMAKE_SOURCE_DIR}/COPYING gpl)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/LICENSE
             ${CMAKE_SOURCE_DIR}/COPYING)
string(CONCAT text "Orvane ${PROJECT_VERSION}\n${ORVANE_COPYRIGHT}\n\n" "${notice}"
       "\nThe programs also contain FLTK, FreeType, libimagequant, libspng, zlib,\n"
       "the MinGW-w64 runtime with winpthreads, the GCC runtime and the DejaVu\n"
       "Sans Bold font, each under its own licence: the other files of the\n"
       "licenses folder.\n\n"
       "The GNU General Public License, version 3, follows.\n\n" "${gpl}")
orvane_windows_text(${gen}/licenses/Orvane.txt "${text}")
list(APPEND licence_files ${gen}/licenses/Orvane.txt)
# The pinned sources' own licence files (cmake/PinnedDeps.cmake), the MinGW-w64 packages'
# copyright files for zlib, the C runtime with winpthreads, and libstdc++ with libgcc.
orvane_licence(FLTK ${fltk_SOURCE_DIR}/COPYING)
orvane_licence(FreeType ${freetype_SOURCE_DIR}/LICENSE.TXT ${freetype_SOURCE_DIR}/docs/FTL.TXT)
orvane_licence(libimagequant ${imagequant_SOURCE_DIR}/COPYRIGHT)
orvane_licence(libspng ${spng_SOURCE_DIR}/LICENSE)
orvane_licence(zlib /usr/share/doc/libz-mingw-w64-dev/copyright)
orvane_licence(MinGW-w64 /usr/share/doc/mingw-w64-x86-64-dev/copyright)
orvane_licence(GCC-runtime /usr/share/doc/gcc-mingw-w64-base/copyright)
orvane_licence(DejaVu-fonts ${CMAKE_SOURCE_DIR}/resources/fonts/DejaVu-LICENSE.txt)
install(FILES ${licence_files} DESTINATION licenses)

configure_file(${win}/README.txt.in ${gen}/README.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${gen}/README.txt DESTINATION .)

find_program(ORVANE_MAKENSIS makensis)
if(ORVANE_MAKENSIS)
    set(CPACK_GENERATOR NSIS ZIP)
else()
    message(STATUS "makensis not found (Debian package nsis): cpack makes only the zip")
    set(CPACK_GENERATOR ZIP)
endif()
set(CPACK_PACKAGE_NAME Orvane)
set(CPACK_PACKAGE_VENDOR "${ORVANE_PUBLISHER}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME Orvane-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Orvane)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)  # the zip's files at its root, ready to copy
set(CPACK_STRIP_FILES ON)
set(CPACK_NSIS_EXECUTABLE ${ORVANE_MAKENSIS})
# Our installer script instead of CPack's: CPack finds NSIS.template.in on this path.
set(CPACK_MODULE_PATH ${win})
set(CPACK_ORVANE_ICON ${ORVANE_ICO})
set(CPACK_ORVANE_LICENCE_PAGE ${gen}/licenses/Orvane.txt)
set(CPACK_ORVANE_COPYRIGHT "${ORVANE_COPYRIGHT}")
set(CPACK_ORVANE_VERSION4
    "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0")
include(CPack)
