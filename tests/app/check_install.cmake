# Installs a build into a scratch prefix and checks that the program, its
# desktop entry, its icon and the sample catalogue land where a desktop and
# a user look for them.
#   cmake -DBUILD_DIR=<build> -DPREFIX=<scratch folder> -P check_install.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

foreach(file bin/velmo share/applications/velmo.desktop
             share/icons/hicolor/32x32/apps/velmo.png share/velmo/bright-variable-stars.txt
             share/velmo/README.md)
  if(NOT EXISTS "${PREFIX}/${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

file(READ "${PREFIX}/share/applications/velmo.desktop" entry)
foreach(line "Type=Application" "Exec=velmo" "Icon=velmo")
  if(NOT entry MATCHES "(^|\n)${line}\n")
    message(FATAL_ERROR "the desktop entry lacks ${line}")
  endif()
endforeach()

# A PNG's header chunk holds its width and height as 32-bit big-endian numbers.
file(READ "${PREFIX}/share/icons/hicolor/32x32/apps/velmo.png" header HEX LIMIT 24)
if(NOT header MATCHES "^89504e470d0a1a0a0000000d494844520000002000000020$")
  message(FATAL_ERROR "the icon is not a 32 by 32 PNG: ${header}")
endif()

file(REMOVE_RECURSE "${PREFIX}")
