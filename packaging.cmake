# SPDX-License-Identifier: GPL-3.0-or-later
# What both programs share at installation, and the two Debian packages that
# CPack makes from one build:
#   velmo-cli   the command-line program (no Qt), its manual page and its
#               bash completion
#   velmo       the window program, its manual page, desktop entry, AppStream
#               metadata, icons and the sample catalogue (app/packaging.cmake)
#   cmake --install <build> --prefix <dir>      both
#   cpack -G DEB                                (in the build folder) both .deb files
# Each package carries the licence (copyright, DEP-5) and the changelog.
include(GNUInstallDirs)

# The Maintainer field of both packages. Debian's own DEBFULLNAME and DEBEMAIL
# give the default where they are set; set yours with
# -DVELMO_MAINTAINER="Name <address>".
set(_velmo_maintainer "Velmo developers <velmo@example.org>")
if(DEFINED ENV{DEBEMAIL} AND NOT "$ENV{DEBEMAIL}" STREQUAL "")
  if(DEFINED ENV{DEBFULLNAME} AND NOT "$ENV{DEBFULLNAME}" STREQUAL "")
    set(_velmo_maintainer "$ENV{DEBFULLNAME} <$ENV{DEBEMAIL}>")
  elseif("$ENV{DEBEMAIL}" MATCHES "<")
    set(_velmo_maintainer "$ENV{DEBEMAIL}")
  endif()
endif()
set(VELMO_MAINTAINER "${_velmo_maintainer}" CACHE STRING
    "Maintainer of the Debian packages, as Name <address>")

set(VELMO_PACKAGE_COMPONENTS velmo-cli)
if(TARGET velmo)
  list(APPEND VELMO_PACKAGE_COMPONENTS velmo)
endif()

# Compressed copies for installation, as Debian wants them: gzip -9n keeps
# no name and no time stamp, so the same text gives the same bytes.
find_program(VELMO_GZIP gzip REQUIRED)
set(_velmo_gzipped)
function(velmo_install_gzipped source name destination component)
  set(output ${CMAKE_BINARY_DIR}/gzipped/${component}/${name}.gz)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/gzipped/${component}
    COMMAND sh -c "\"$1\" -9n -c \"$2\" > \"$3\"" sh ${VELMO_GZIP} ${source} ${output}
    DEPENDS ${source}
    VERBATIM)
  set(_velmo_gzipped ${_velmo_gzipped} ${output} PARENT_SCOPE)
  install(FILES ${output} DESTINATION ${destination} COMPONENT ${component})
endfunction()

foreach(component ${VELMO_PACKAGE_COMPONENTS})
  set(doc ${CMAKE_INSTALL_DATADIR}/doc/${component})
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${doc}
          COMPONENT ${component})
  velmo_install_gzipped(${PROJECT_SOURCE_DIR}/CHANGELOG changelog ${doc} ${component})
endforeach()
velmo_install_gzipped(${PROJECT_SOURCE_DIR}/cli/velmo-cli.1 velmo-cli.1
                      ${CMAKE_INSTALL_MANDIR}/man1 velmo-cli)
# velmo-cli's own AppStream metadata, as a console application.
configure_file(${PROJECT_SOURCE_DIR}/cli/org.velmo.VelmoCli.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/cli/org.velmo.VelmoCli.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/cli/org.velmo.VelmoCli.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT velmo-cli)
if(TARGET velmo)
  velmo_install_gzipped(${PROJECT_SOURCE_DIR}/app/velmo.1 velmo.1
                        ${CMAKE_INSTALL_MANDIR}/man1 velmo)
endif()
add_custom_target(velmo_gzipped ALL DEPENDS ${_velmo_gzipped})

# The bash completion of velmo-cli goes where bash-completion looks for it
# (pkg-config's completionsdir, below the installation prefix), or to its
# usual folder when bash-completion is not installed.
set(_velmo_completions ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
find_package(PkgConfig QUIET)
if(PKG_CONFIG_FOUND)
  pkg_get_variable(_velmo_completions_abs bash-completion completionsdir)
  pkg_get_variable(_velmo_completions_prefix bash-completion prefix)
  if(_velmo_completions_abs AND _velmo_completions_prefix
     AND _velmo_completions_abs MATCHES "^${_velmo_completions_prefix}/(.+)$")
    set(_velmo_completions ${CMAKE_MATCH_1})
  endif()
endif()
install(FILES ${PROJECT_SOURCE_DIR}/cli/velmo-cli.bash-completion
        DESTINATION ${_velmo_completions} RENAME velmo-cli COMPONENT velmo-cli)

# The sample catalogue and its provenance, for a first search: with the
# window when there is one.
list(GET VELMO_PACKAGE_COMPONENTS -1 _velmo_sample_component)
foreach(sample bright-variable-stars.txt README.md)
  if(EXISTS ${PROJECT_SOURCE_DIR}/data/${sample})
    install(FILES ${PROJECT_SOURCE_DIR}/data/${sample} DESTINATION ${CMAKE_INSTALL_DATADIR}/velmo
            COMPONENT ${_velmo_sample_component})
  endif()
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Velmo developers")
set(CPACK_PACKAGE_CONTACT "${VELMO_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VELMO_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL ${VELMO_PACKAGE_COMPONENTS})

# Descriptions: the synopsis, then the long description wrapped below 80
# columns (CPack indents it; an empty line becomes " .").
set(CPACK_DEBIAN_VELMO-CLI_PACKAGE_NAME velmo-cli)
set(CPACK_DEBIAN_VELMO-CLI_DESCRIPTION "search, check and import catalogues of variable stars, plan a night
velmo-cli runs Velmo's catalogue engine from scripts and terminals, without
a display and without Qt. Its search command lists the stars of a
fixed-column catalogue that meet criteria of right ascension, declination,
magnitude and period, as CSV, as the catalogue's own lines or as a table;
check reports every line that is not a star line; import converts GCVS
extracts, CSV or TSV tables, VOTables and FITS binary tables into catalogue
lines; plan lists the stars that meet the criteria and can be observed on
one night from one site, with the times they stand above an altitude limit.
A catalogue may come from standard input.
")
set(CPACK_DEBIAN_VELMO_PACKAGE_NAME velmo)
set(CPACK_DEBIAN_VELMO_PACKAGE_SUGGESTS velmo-cli)
set(CPACK_DEBIAN_VELMO_DESCRIPTION "search a catalogue of variable stars in a window
Velmo loads a plain-text catalogue of variable stars, one star a
fixed-column line, narrows it by a right-ascension window, a declination
band, two magnitude limits and a period range, lists the matching stars in
catalogue order or reversed, and saves them as CSV or as catalogue lines.

This package holds the window program, its desktop entry and a sample
catalogue of 4464 bright variable stars from the General Catalogue of
Variable Stars. The command-line program is in the package velmo-cli.
")

find_program(VELMO_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(VELMO_DPKG_SHLIBDEPS)
  # The dependencies from the programs' own links (the Qt 6 Widgets, Gui and
  # Core runtime libraries for the window; ERFA for velmo-cli plan; the C and
  # C++ runtimes), with the versions this build needs.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  message(WARNING "dpkg-shlibdeps (package dpkg-dev) is missing: "
                  "the packages' dependencies are written by hand")
  set(CPACK_DEBIAN_VELMO_PACKAGE_DEPENDS
      "libqt6widgets6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6core6 (>= 6.4), libstdc++6, libc6")
  set(CPACK_DEBIAN_VELMO-CLI_PACKAGE_DEPENDS
      "liberfa1, libexpat1, libcfitsio10, libstdc++6, libc6")
endif()
set(CPACK_STRIP_FILES ON)
include(CPack)
