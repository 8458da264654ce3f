# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the Debian packages of a build with CPack and checks each of them:
# lintian finds no error and no warning; it holds what an installation holds
# (installed_files.cmake); its manual pages are compressed by gzip -9n; the
# command-line package needs no Qt; the dependencies come from
# dpkg-shlibdeps. Each package's AppStream metadata is checked by
# appstreamcli, the window's desktop entry by desktop-file-validate, its
# icons' sizes by their headers. A missing tool is named, and the test
# skipped (lintian, dpkg-deb) or that one check left out.
#   cmake -DBUILD_DIR=<build> -DWORK_DIR=<scratch> -DCOMPONENTS=<velmo-cli;velmo>
#         -DICON_SIZES=<16;24;...> -DVERSION=<x.y.z.w> -DSANITIZED=<ON|OFF>
#         -P check_packages.cmake
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/installed_files.cmake)

if(SANITIZED)
  message("SKIPPED: a sanitizer build is not packaged")
  return()
endif()
find_program(LINTIAN lintian)
find_program(DPKG_DEB dpkg-deb)
foreach(tool LINTIAN DPKG_DEB)
  if(NOT ${tool})
    string(TOLOWER "${tool}" name)
    string(REPLACE "_" "-" name "${name}")
    message("SKIPPED: ${name} is not installed (scripts/setup installs it)")
    return()
  endif()
endforeach()

file(REMOVE_RECURSE "${WORK_DIR}")
execute_process(COMMAND cpack -G DEB --config "${BUILD_DIR}/CPackConfig.cmake" -B "${WORK_DIR}"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cpack failed (${result}):\n${output}")
endif()

# A gzip member made with -n holds no file name (flag bit 3) and no time.
function(expect_gzip_n path)
  file(READ "${path}" header HEX LIMIT 8)
  string(SUBSTRING "${header}" 7 1 flags_low)
  if(NOT header MATCHES "^1f8b08" OR NOT header MATCHES "00000000$"
     OR flags_low MATCHES "[89a-f]")
    message(FATAL_ERROR "${path} is not compressed by gzip -n: ${header}")
  endif()
endfunction()

foreach(component ${COMPONENTS})
  file(GLOB deb "${WORK_DIR}/${component}_${VERSION}_*.deb")
  list(LENGTH deb found)
  if(NOT found EQUAL 1)
    message(FATAL_ERROR "no package ${component}_${VERSION}_*.deb in ${WORK_DIR}")
  endif()

  execute_process(COMMAND "${LINTIAN}" --fail-on error,warning "${deb}"
                  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
  message("lintian ${component}: ${result}\n${output}")
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "lintian finds fault with ${deb}:\n${output}${errors}")
  endif()

  execute_process(COMMAND "${DPKG_DEB}" -c "${deb}" OUTPUT_VARIABLE listing)
  if(component STREQUAL "velmo-cli")
    set(expected ${VELMO_CLI_INSTALLED_FILES})
  else()
    set(expected ${VELMO_APP_INSTALLED_FILES})
  endif()
  foreach(file ${expected})
    if(NOT listing MATCHES " \\./usr/${file}\n")
      message(FATAL_ERROR "${component} lacks /usr/${file}:\n${listing}")
    endif()
  endforeach()

  execute_process(COMMAND "${DPKG_DEB}" -f "${deb}" Depends OUTPUT_VARIABLE depends)
  if(component STREQUAL "velmo-cli" AND depends MATCHES "qt")
    message(FATAL_ERROR "velmo-cli depends on Qt: ${depends}")
  endif()
  if(NOT depends MATCHES "libc6 \\(>= [0-9]" OR depends MATCHES "velmo")
    message(FATAL_ERROR "${component} has dependencies not from dpkg-shlibdeps: ${depends}")
  endif()

  set(root "${WORK_DIR}/root-${component}")
  execute_process(COMMAND "${DPKG_DEB}" -x "${deb}" "${root}" RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "dpkg-deb -x ${deb} failed: ${result}")
  endif()
  file(GLOB pages "${root}/usr/share/man/man1/*")
  foreach(page ${pages} "${root}/usr/share/doc/${component}/changelog.gz")
    expect_gzip_n("${page}")
  endforeach()
endforeach()

# The programs' AppStream metadata and the window's desktop entry, as the
# validators of a desktop see them.
set(checks)
foreach(component ${COMPONENTS})
  file(GLOB metainfo "${WORK_DIR}/root-${component}/usr/share/metainfo/*.metainfo.xml")
  if(NOT metainfo)
    message(FATAL_ERROR "${component} holds no AppStream metadata")
  endif()
  foreach(file ${metainfo})
    list(APPEND checks "appstreamcli|${file}")
  endforeach()
endforeach()
if("velmo" IN_LIST COMPONENTS)
  set(root "${WORK_DIR}/root-velmo")
  foreach(size ${ICON_SIZES})
    velmo_expect_png_size("${root}/usr/share/icons/hicolor/${size}x${size}/apps/velmo.png" ${size})
  endforeach()
  list(APPEND checks "desktop-file-validate|${root}/usr/share/applications/org.velmo.Velmo.desktop")
endif()
foreach(check ${checks})
  string(REPLACE "|" ";" check "${check}")
  list(GET check 0 tool)
  list(GET check 1 file)
  find_program(tool_path_${tool} ${tool})
  set(tool_path "${tool_path_${tool}}")
  if(NOT tool_path)
    message("not checked: ${tool} is not installed (scripts/setup installs it)")
    continue()
  endif()
  set(arguments "${file}")
  if(tool STREQUAL "appstreamcli")
    set(arguments validate --no-net --explain "${file}")
  endif()
  execute_process(COMMAND "${tool_path}" ${arguments}
                  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  get_filename_component(name "${file}" NAME)
  message("${tool} ${name}: ${result}\n${output}")
  if(NOT result EQUAL 0 OR output MATCHES "error")
    message(FATAL_ERROR "${tool} finds fault with ${name}:\n${output}")
  endif()
endforeach()
file(REMOVE_RECURSE "${WORK_DIR}")
