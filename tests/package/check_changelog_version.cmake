# Fails unless the newest entry of the Debian changelog names the project's version.
#   cmake -D CHANGELOG=packaging/debian/changelog -D VERSION=1.0.0 -P check_changelog_version.cmake
file(STRINGS ${CHANGELOG} first_line LIMIT_COUNT 1)
if(NOT first_line MATCHES "^[a-z0-9.+-]+ \\(([^)]+)\\)")
  message(FATAL_ERROR "${CHANGELOG}: the first line names no version: ${first_line}")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL VERSION)
  message(FATAL_ERROR "${CHANGELOG} is at ${CMAKE_MATCH_1}, the project at ${VERSION}: "
                      "add a changelog entry for ${VERSION}")
endif()
