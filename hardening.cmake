# SPDX-License-Identifier: GPL-3.0-or-later
# Debian's hardening flags for the programs that go into the packages: what
# dpkg-buildflags gives with every hardening feature on (_FORTIFY_SOURCE=2,
# the strong stack protector, format checks, full RELRO and -z now), without
# its -g and -O2, so the build type keeps its own optimisation. Taken for
# optimised builds without sanitizers, where dpkg-buildflags exists;
# -DVELMO_HARDENING=OFF leaves them out.
set(_velmo_optimised_build OFF)
if(CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo|MinSizeRel)$")
  set(_velmo_optimised_build ON)
endif()
find_program(VELMO_DPKG_BUILDFLAGS dpkg-buildflags)
set(_velmo_hardening_default OFF)
if(VELMO_DPKG_BUILDFLAGS AND _velmo_optimised_build AND NOT VELMO_SANITIZE AND NOT VELMO_FUZZ)
  set(_velmo_hardening_default ON)
endif()
option(VELMO_HARDENING "Build with Debian's hardening flags (dpkg-buildflags)"
       ${_velmo_hardening_default})

if(VELMO_HARDENING)
  if(NOT VELMO_DPKG_BUILDFLAGS)
    message(FATAL_ERROR "VELMO_HARDENING needs dpkg-buildflags (package dpkg-dev)")
  endif()
  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
              ${VELMO_DPKG_BUILDFLAGS} --get ${kind}
      OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
      message(FATAL_ERROR "dpkg-buildflags --get ${kind} failed: ${result}")
    endif()
    separate_arguments(flags UNIX_COMMAND "${flags}")
    list(FILTER flags EXCLUDE REGEX "^(-g[0-9]*|-O[0-9s]?|-ffile-prefix-map=.*)$")
    set(_velmo_${kind} ${flags})
  endforeach()
  add_compile_options(${_velmo_CPPFLAGS} ${_velmo_CXXFLAGS})
  add_link_options(${_velmo_LDFLAGS})
  message(STATUS "Hardening: ${_velmo_CPPFLAGS} ${_velmo_CXXFLAGS} ${_velmo_LDFLAGS}")
endif()
