# SPDX-License-Identifier: GPL-3.0-or-later
# What each package installs below the prefix, for the install tests
# (cmake --install) and the package test (dpkg-deb -c) alike. ICON_SIZES
# (res/CMakeLists.txt) names the icon sizes when the caller knows them.
set(VELMO_CLI_INSTALLED_FILES
    bin/velmo-cli
    share/man/man1/velmo-cli.1.gz
    share/bash-completion/completions/velmo-cli
    share/metainfo/org.velmo.VelmoCli.metainfo.xml
    share/doc/velmo-cli/copyright
    share/doc/velmo-cli/changelog.gz)
set(VELMO_APP_INSTALLED_FILES
    bin/velmo
    share/man/man1/velmo.1.gz
    share/applications/org.velmo.Velmo.desktop
    share/metainfo/org.velmo.Velmo.metainfo.xml
    share/icons/hicolor/scalable/apps/velmo.svg
    share/velmo/bright-variable-stars.txt
    share/velmo/README.md
    share/doc/velmo/copyright
    share/doc/velmo/changelog.gz)
foreach(size ${ICON_SIZES})
  list(APPEND VELMO_APP_INSTALLED_FILES share/icons/hicolor/${size}x${size}/apps/velmo.png)
endforeach()

# Installs the build at `build` into a fresh `prefix` with cmake --install
# and fails unless every file of the list named `files` is there.
function(velmo_install_and_expect build prefix files)
  file(REMOVE_RECURSE "${prefix}")
  execute_process(COMMAND "${CMAKE_COMMAND}" --install "${build}" --prefix "${prefix}"
                  RESULT_VARIABLE result OUTPUT_QUIET)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
  endif()
  foreach(file ${${files}})
    if(NOT EXISTS "${prefix}/${file}")
      message(FATAL_ERROR "not installed: ${file}")
    endif()
  endforeach()
endfunction()

# Fails unless the file at `path` is a PNG of `size` by `size` pixels: its
# header chunk holds the width and height as 32-bit big-endian numbers.
function(velmo_expect_png_size path size)
  file(READ "${path}" header HEX LIMIT 24)
  math(EXPR hex "${size}" OUTPUT_FORMAT HEXADECIMAL)
  string(SUBSTRING "${hex}" 2 -1 hex)
  string(LENGTH "${hex}" digits)
  while(digits LESS 8)
    string(PREPEND hex "0")
    math(EXPR digits "${digits} + 1")
  endwhile()
  string(TOLOWER "${hex}" hex)
  if(NOT header STREQUAL "89504e470d0a1a0a0000000d49484452${hex}${hex}")
    message(FATAL_ERROR "${path} is not a ${size} by ${size} PNG: ${header}")
  endif()
endfunction()
