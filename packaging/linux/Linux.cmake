# A desktop program under the prefix: executable, menu entry, icons, AppStream
# data, manual page and the Debian documentation files.
include(GNUInstallDirs)
set(_here ${CMAKE_CURRENT_LIST_DIR})
set(_icons ${PROJECT_SOURCE_DIR}/src/ui/resources)
set(_docdir ${CMAKE_INSTALL_DATAROOTDIR}/doc/orvanepatchlayouts)

install(TARGETS OrvanePatchLayouts RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${_here}/${ORVANE_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES ${_here}/${ORVANE_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
foreach(_pair "OrvanePatchLayouts.png;32" "OrvanePatchLayouts-64.png;64"
              "OrvanePatchLayouts-128.png;128")
    list(GET _pair 0 _file)
    list(GET _pair 1 _size)
    install(FILES ${_icons}/${_file} RENAME ${ORVANE_APP_ID}.png
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${_size}x${_size}/apps)
endforeach()

# A new version needs its own entry in the changelog.
file(STRINGS ${_here}/changelog _latest LIMIT_COUNT 1)
if(NOT _latest MATCHES "^orvanepatchlayouts \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR "packaging/linux/changelog has no entry for ${PROJECT_VERSION}")
endif()

# Debian wants the manual page and the changelog compressed the reproducible
# way: maximal compression and no time stamp.
find_program(ORVANE_GZIP gzip REQUIRED)
configure_file(${_here}/OrvanePatchLayouts.1 OrvanePatchLayouts.1 @ONLY)
configure_file(${_here}/changelog changelog COPYONLY)
set(_compressed)
foreach(_file OrvanePatchLayouts.1 changelog)
    set(_in ${CMAKE_CURRENT_BINARY_DIR}/${_file})
    add_custom_command(OUTPUT ${_in}.gz COMMAND ${ORVANE_GZIP} -9nkf ${_in} DEPENDS ${_in} VERBATIM)
    list(APPEND _compressed ${_in}.gz)
endforeach()
add_custom_target(orvane_compressed_docs ALL DEPENDS ${_compressed})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/OrvanePatchLayouts.1.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz ${_here}/copyright DESTINATION ${_docdir})

set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_PACKAGE_NAME orvanepatchlayouts)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ORVANE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window needs a platform plugin, which Qt's GUI library only recommends.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# Qt's own buttons and dialogs in French.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# The first line of the package's description is the summary above.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "For every layout folder of the Orvane-FE emulator front-end, OrvanePatchLayouts
copies the picture of the same name from a folder of loading screens into the
layout as loading.png, the picture the front-end shows while a game starts. It
can also give every layout a default screen, delete all the loading screens,
and download the archive of screens and unpack it with its own ZIP reader.

The interface speaks English and French. An installed copy keeps its settings,
log and screens in the user's data folder (~/.local/share/OrvanePatchLayouts).")
