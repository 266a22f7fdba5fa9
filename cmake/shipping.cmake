# Install rules and packages: the programs, the desktop entry, icons, AppStream metainfo,
# documentation and manual pages; CPack makes the .deb on Linux and the zip on Windows.
include(GNUInstallDirs)

set(VESK_PACKAGE_NAME vesk-edit)
option(VESK_DEBIAN_DOCS "Install the documentation the way a Debian package keeps it" OFF)

if(WIN32)
  # The zip holds the programs and their documents side by side in one folder.
  set(vesk_bin_dir .)
  set(vesk_doc_dir .)
else()
  set(vesk_bin_dir ${CMAKE_INSTALL_BINDIR})
  set(vesk_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/${VESK_PACKAGE_NAME})
endif()

# Installs a program when it is part of this build and, on Windows, gives it the version
# resource. Adding a program to the packages takes one call.
function(vesk_ship_program target description)
  if(NOT TARGET ${target})
    return()
  endif()
  if(WIN32)
    set(VESK_RC_TARGET ${target})
    set(VESK_RC_DESCRIPTION "${description}")
    set(rc ${PROJECT_BINARY_DIR}/version/${target}.rc)
    configure_file(${PROJECT_SOURCE_DIR}/resources/version.rc.in ${rc} @ONLY)
    target_sources(${target} PRIVATE ${rc})
  endif()
  install(TARGETS ${target} RUNTIME DESTINATION ${vesk_bin_dir})
endfunction()

vesk_ship_program(vesk-edit "VeskEdit enemy data editor")
vesk_ship_program(vesk "VeskEdit command-line tool")

# The browser page (built by the web preset) ships beside the programs when given: in the
# zip's folder on Windows, in /usr/share/<application id>/ on Linux.
set(VESK_SHIP_WEB_PAGE "" CACHE FILEPATH "vesk-web.html to put into the packages")
if(VESK_SHIP_WEB_PAGE)
  if(WIN32)
    set(vesk_web_dir .)
  else()
    set(vesk_web_dir ${CMAKE_INSTALL_DATADIR}/${VESK_APP_ID})
  endif()
  install(FILES ${VESK_SHIP_WEB_PAGE} DESTINATION ${vesk_web_dir} RENAME vesk-web.html)
endif()

install(FILES README.md DESTINATION ${vesk_doc_dir})
if(VESK_DEBIAN_DOCS)
  # Debian keeps the licence in copyright and wants a changelog compressed at the
  # highest level without a time stamp.
  set(changelog_gz ${PROJECT_BINARY_DIR}/packaging/changelog.gz)
  add_custom_command(OUTPUT ${changelog_gz}
    COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/packaging/debian/changelog > ${changelog_gz}
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/debian/changelog VERBATIM)
  add_custom_target(vesk-changelog ALL DEPENDS ${changelog_gz})
  install(FILES packaging/debian/copyright ${changelog_gz} DESTINATION ${vesk_doc_dir})
else()
  install(FILES LICENSE DESTINATION ${vesk_doc_dir})
endif()

if(NOT WIN32)
  install(FILES resources/${VESK_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  foreach(size 16 24 32 48 64 128 256)
    install(FILES resources/icons/${size}x${size}/${VESK_APP_ID}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
  set(metainfo ${PROJECT_BINARY_DIR}/packaging/${VESK_APP_ID}.metainfo.xml)
  configure_file(resources/${VESK_APP_ID}.metainfo.xml.in ${metainfo} @ONLY)
  install(FILES ${metainfo} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

  # Manual pages, compressed as distributions keep them; a page is installed when its
  # program is.
  set(man_pages)
  foreach(page vesk-edit vesk)
    if(TARGET ${page} AND EXISTS ${PROJECT_SOURCE_DIR}/docs/${page}.1)
      set(page_gz ${PROJECT_BINARY_DIR}/packaging/${page}.1.gz)
      add_custom_command(OUTPUT ${page_gz}
        COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/docs/${page}.1 > ${page_gz}
        DEPENDS ${PROJECT_SOURCE_DIR}/docs/${page}.1 VERBATIM)
      list(APPEND man_pages ${page_gz})
    endif()
  endforeach()
  # The Japanese page of vesk, with the break points groff needs in Japanese text.
  set(japanese_page)
  if(TARGET vesk)
    set(japanese_page ${PROJECT_BINARY_DIR}/packaging/ja/vesk.1.gz)
    find_package(Python3 REQUIRED COMPONENTS Interpreter)
    add_custom_command(OUTPUT ${japanese_page}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/packaging/ja
      COMMAND Python3::Interpreter -B ${PROJECT_SOURCE_DIR}/tools/japanese_line_breaks.py
              ${PROJECT_SOURCE_DIR}/docs/vesk.ja.1 ${PROJECT_BINARY_DIR}/packaging/ja/vesk.1
      COMMAND gzip -9nf ${PROJECT_BINARY_DIR}/packaging/ja/vesk.1
      DEPENDS ${PROJECT_SOURCE_DIR}/docs/vesk.ja.1 ${PROJECT_SOURCE_DIR}/tools/japanese_line_breaks.py
      VERBATIM)
    install(FILES ${japanese_page} DESTINATION ${CMAKE_INSTALL_MANDIR}/ja/man1)
  endif()
  if(man_pages)
    add_custom_target(vesk-man-pages ALL DEPENDS ${man_pages} ${japanese_page})
    install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endif()
endif()

# Packages
set(CPACK_PACKAGE_NAME ${VESK_PACKAGE_NAME})
set(CPACK_PACKAGE_VENDOR "VeskEdit developers")
set(CPACK_PACKAGE_CONTACT "VeskEdit developers <veskedit@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for the enemy data of a Game Boy RPG image")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CHECKSUM SHA256)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME ${VESK_PACKAGE_NAME}-${PROJECT_VERSION}-windows-x86_64)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # qt6-wayland: on a Wayland desktop the window is a native Wayland client.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic | fonts-noto-cjk, qt6-wayland")
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
      "VeskEdit opens a Game Boy cartridge image, lists the 200 enemies of the
game and changes each enemy's HP, its Kero value, its four stats and its
ability list. The changes go back into the image after a confirmation, or
into a copy of it; an optional automatic backup copies the image first.")
  # Control files with the owners and modes lintian expects.
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
endif()
include(CPack)

if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/windows_installer.cmake)
endif()
