# SPDX-License-Identifier: GPL-3.0-or-later
# Installation of the window program and what a desktop needs to know it:
# the desktop entry and the AppStream metadata, both named after the
# program's id (the name main.cpp gives QGuiApplication::setDesktopFileName);
# the icons are made and installed by res/. The manual page, the sample
# catalogue and the Debian packages are set up in the top-level
# packaging.cmake. Everything here goes into the package velmo.
set(VELMO_APP_ID org.velmo.Velmo)

target_compile_definitions(velmo PRIVATE VELMO_APP_ID="${VELMO_APP_ID}")
install(TARGETS velmo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT velmo)
install(FILES ${VELMO_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
        COMPONENT velmo)

# The screenshots are listed (with their captions) only where they are
# published: -DVELMO_SCREENSHOT_URL=https://.../docs/screenshots. AppStream
# takes web addresses only.
set(VELMO_SCREENSHOT_URL "" CACHE STRING
    "Web address of the folder that holds the screenshots of docs/screenshots")
file(READ ${VELMO_APP_ID}.metainfo.xml.in _velmo_metainfo)
if(VELMO_SCREENSHOT_URL STREQUAL "")
  string(REGEX REPLACE "  <!-- screenshots:.*<!-- end of screenshots -->\n" ""
         _velmo_metainfo "${_velmo_metainfo}")
else()
  string(REPLACE "@VELMO_SCREENSHOT_URL@" "${VELMO_SCREENSHOT_URL}"
         _velmo_metainfo "${_velmo_metainfo}")
endif()
set(_velmo_metainfo_file ${CMAKE_CURRENT_BINARY_DIR}/${VELMO_APP_ID}.metainfo.xml)
file(CONFIGURE OUTPUT ${_velmo_metainfo_file} CONTENT "${_velmo_metainfo}" @ONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${CMAKE_CURRENT_SOURCE_DIR}/${VELMO_APP_ID}.metainfo.xml.in)
install(FILES ${_velmo_metainfo_file} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        COMPONENT velmo)
