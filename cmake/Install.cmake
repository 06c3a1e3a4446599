# Installing like any desktop program (GNUInstallDirs): the two programs, a desktop entry, icons,
# AppStream metadata, manual pages and the copyright; and a Debian package built by CPack.
# A Windows build installs and packages its own way.
if(WIN32)
    include(${CMAKE_CURRENT_LIST_DIR}/WindowsPackage.cmake)
    return()
endif()
include(GNUInstallDirs)
set(ORVANE_APP_ID net.orvane.Orvane)
set(pkg ${CMAKE_SOURCE_DIR}/packaging)
set(gen ${CMAKE_BINARY_DIR}/packaging)

install(TARGETS orvane-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(ORVANE_WINDOW)
    install(TARGETS orvane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(FILES ${pkg}/${ORVANE_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${pkg}/${ORVANE_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 32 48 128 256)
    set(icon ${CMAKE_SOURCE_DIR}/resources/icon/icon-${size}.png)
    if(NOT EXISTS ${icon})
        set(icon ${pkg}/icons/icon-${size}.png)
    endif()
    install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME orvane.png)
endforeach()

# Manual pages and the changelog are installed compressed, without time stamps (gzip -n), so
# the package's bytes do not depend on when it was built.
find_program(GZIP gzip REQUIRED)
set(compressed)
foreach(page orvane orvane-cli)
    configure_file(${pkg}/man/${page}.1 ${gen}/${page}.1 @ONLY)
    list(APPEND compressed ${page}.1)
endforeach()
configure_file(${pkg}/changelog ${gen}/changelog COPYONLY)
list(APPEND compressed changelog)
set(outputs)
foreach(file IN LISTS compressed)
    add_custom_command(OUTPUT ${gen}/${file}.gz
                       COMMAND ${GZIP} -9nf -k ${gen}/${file}
                       DEPENDS ${gen}/${file}
                       COMMENT "Compressing ${file}")
    list(APPEND outputs ${gen}/${file}.gz)
endforeach()
add_custom_target(orvane_docs ALL DEPENDS ${outputs})
install(FILES ${gen}/orvane.1.gz ${gen}/orvane-cli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${pkg}/copyright ${gen}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

# cpack -G DEB: orvane_<version>_<arch>.deb, dependencies from the linked libraries.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Orvane developers <orvane@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "random maps for a 2D artillery game")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Orvane draws random maps for a 2D artillery game with destructible land\n"
       "and saves each one as a level file in the game's saved-levels folder.\n"
       "The window shows a preview of every map; a typed seed reproduces a map\n"
       "exactly. orvane-cli makes the same maps from scripts.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)  # "games" would want the programs in /usr/games
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
