# SPDX-License-Identifier: GPL-3.0-or-later
# Installs a build into a scratch prefix and checks that velmo-cli, its
# man page and what else its package holds land where a shell and man look
# for them, that the installed program runs, and that man renders the page
# when man is present.
#   cmake -DBUILD_DIR=<build> -DPREFIX=<scratch folder> -P check_install.cmake
include(${CMAKE_CURRENT_LIST_DIR}/../packaging/installed_files.cmake)
velmo_install_and_expect("${BUILD_DIR}" "${PREFIX}" VELMO_CLI_INSTALLED_FILES)

execute_process(COMMAND "${PREFIX}/bin/velmo-cli" --version
                RESULT_VARIABLE result OUTPUT_VARIABLE version)
if(NOT result EQUAL 0 OR NOT version MATCHES "^velmo-cli [0-9.]+\n$")
  message(FATAL_ERROR "the installed velmo-cli --version gave ${result}: ${version}")
endif()

# man looks in share/man below a prefix whose bin/ is on the PATH.
find_program(MAN man)
if(MAN)
  set(ENV{MANWIDTH} 80)
  set(ENV{PATH} "${PREFIX}/bin:$ENV{PATH}")
  unset(ENV{MANPATH})  # a set MANPATH would keep man from deriving it from PATH
  execute_process(COMMAND "${MAN}" -l "${PREFIX}/share/man/man1/velmo-cli.1.gz"
                  RESULT_VARIABLE result OUTPUT_VARIABLE page ERROR_VARIABLE warnings)
  if(NOT result EQUAL 0 OR NOT page MATCHES "search, check and import"
     OR NOT page MATCHES "--max-reports" OR NOT page MATCHES "--ra-hours")
    message(FATAL_ERROR "man -l did not render the page (${result}): ${warnings}")
  endif()
  execute_process(COMMAND "${MAN}" -w velmo-cli
                  RESULT_VARIABLE result OUTPUT_VARIABLE where ERROR_QUIET)
  if(NOT result EQUAL 0 OR NOT where MATCHES "^${PREFIX}/share/man/man1/velmo-cli.1.gz")
    message(FATAL_ERROR "man velmo-cli does not find the page (${result}): ${where}")
  endif()
endif()

file(REMOVE_RECURSE "${PREFIX}")
