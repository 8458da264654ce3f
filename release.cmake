# SPDX-License-Identifier: GPL-3.0-or-later
# The release this tree is, from CHANGELOG, whose first entry must be this
# version (a package whose changelog speaks of another version would be a
# lie): VELMO_RELEASE_DATE, the date of that entry as YYYY-MM-DD, for the
# AppStream metadata.
file(STRINGS ${PROJECT_SOURCE_DIR}/CHANGELOG _velmo_changelog)
list(GET _velmo_changelog 0 _velmo_changelog_head)
if(NOT _velmo_changelog_head MATCHES "^velmo \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "CHANGELOG begins with '${_velmo_changelog_head}', "
                      "not with the version ${PROJECT_VERSION}")
endif()
# The first entry's closing line: " -- Name <address>  Wed, 09 Dec 2026 20:00:00 +0000".
list(FILTER _velmo_changelog INCLUDE REGEX "^ -- ")
list(GET _velmo_changelog 0 _velmo_trailer)
set(_velmo_months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
if(NOT _velmo_trailer MATCHES ">  [A-Z][a-z][a-z], ([0-9]?[0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
  message(FATAL_ERROR "CHANGELOG: no date in '${_velmo_trailer}'")
endif()
set(_velmo_day ${CMAKE_MATCH_1})
set(_velmo_year ${CMAKE_MATCH_3})
list(FIND _velmo_months ${CMAKE_MATCH_2} _velmo_month)
if(_velmo_month LESS 0)
  message(FATAL_ERROR "CHANGELOG: no month in '${_velmo_trailer}'")
endif()
math(EXPR _velmo_month "${_velmo_month} + 1")
math(EXPR _velmo_day "${_velmo_day}")  # "09" becomes 9
foreach(part _velmo_day _velmo_month)
  if(${part} LESS 10)
    set(${part} 0${${part}})
  endif()
endforeach()
set(VELMO_RELEASE_DATE ${_velmo_year}-${_velmo_month}-${_velmo_day})
