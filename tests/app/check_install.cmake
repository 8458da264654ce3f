# SPDX-License-Identifier: GPL-3.0-or-later
# Installs a build into a scratch prefix and checks that the program, its
# desktop entry, its icons and the sample catalogue land where a desktop and
# a user look for them.
#   cmake -DBUILD_DIR=<build> -DPREFIX=<scratch folder> -DICON_SIZES=<16;24;...>
#         -P check_install.cmake
include(${CMAKE_CURRENT_LIST_DIR}/../packaging/installed_files.cmake)
velmo_install_and_expect("${BUILD_DIR}" "${PREFIX}" VELMO_APP_INSTALLED_FILES)

file(READ "${PREFIX}/share/applications/org.velmo.Velmo.desktop" entry)
foreach(line "Type=Application" "Exec=velmo" "Icon=velmo")
  if(NOT entry MATCHES "(^|\n)${line}\n")
    message(FATAL_ERROR "the desktop entry lacks ${line}")
  endif()
endforeach()

foreach(size ${ICON_SIZES})
  velmo_expect_png_size("${PREFIX}/share/icons/hicolor/${size}x${size}/apps/velmo.png" ${size})
endforeach()
file(READ "${PREFIX}/share/icons/hicolor/scalable/apps/velmo.svg" svg)
if(NOT svg MATCHES "<svg xmlns=\"http://www.w3.org/2000/svg\"")
  message(FATAL_ERROR "the scalable icon is not an SVG image")
endif()

file(REMOVE_RECURSE "${PREFIX}")
