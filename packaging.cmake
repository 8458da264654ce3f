# What both programs share at installation: the sample catalogue, and the
# Debian package made by CPack, which holds whatever is installed (the
# window program when built with VELMO_GUI, and velmo-cli always):
#   cmake --install <build> --prefix <dir>
#   cpack -G DEB            (in the build folder)
include(GNUInstallDirs)

# The sample catalogue and its provenance, for a first search.
foreach(sample bright-variable-stars.txt README.md)
  if(EXISTS ${PROJECT_SOURCE_DIR}/data/${sample})
    install(FILES ${PROJECT_SOURCE_DIR}/data/${sample} DESTINATION ${CMAKE_INSTALL_DATADIR}/velmo)
  endif()
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Velmo developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Search a catalogue of variable stars")
if(VELMO_GUI)
  set(CPACK_PACKAGE_DESCRIPTION
      "Velmo loads a fixed-column catalogue of variable stars, narrows it by right ascension, declination, magnitude and period, lists the matches and saves them as CSV or as catalogue lines. velmo-cli does the same from scripts and terminals, and checks catalogues line by line.")
else()
  set(CPACK_PACKAGE_DESCRIPTION
      "velmo-cli searches a fixed-column catalogue of variable stars by right ascension, declination, magnitude and period from scripts and terminals, writes the matches as CSV, catalogue lines or a table, and checks catalogues line by line.")
endif()
set(CPACK_PACKAGE_CONTACT "Velmo developers <velmo@localhost>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Velmo developers <velmo@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
find_program(VELMO_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(VELMO_DPKG_SHLIBDEPS)
  # The dependencies from the programs' own links (the Qt 6 Widgets, Gui and
  # Core runtime libraries for the window; ERFA for velmo-cli plan; the C and
  # C++ runtimes), with the versions this build needs.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
elseif(VELMO_GUI)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
      "libqt6widgets6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6core6 (>= 6.4), liberfa1, libstdc++6, libc6")
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "liberfa1, libstdc++6, libc6")
endif()
set(CPACK_STRIP_FILES ON)
include(CPack)
