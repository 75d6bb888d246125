# `cmake --install` lays the program out as a Linux desktop program:
#   bin/listorix, bin/listorix-poll, bin/listorix-fetch   the programs
#   share/listorix/web/                                   the start and help pages
#   share/listorix/*.lst                                  the sample ticker lists
#   share/applications/example.listorix.Listorix.desktop  the menu entry
#   share/metainfo/example.listorix.Listorix.metainfo.xml its AppStream data
#   share/icons/hicolor/scalable/apps/listorix.svg        the icon, and PNG sizes beside it
#   share/man/man1/                                       a manual page for each program
#   share/doc/listorix/                                   the copyright file and changelog
# An installed program keeps the user's files in $XDG_DATA_HOME/listorix/ and reads
# the ticker lists and web/ from there first, then from share/listorix/.
set(LISTORIX_INSTALL_DATADIR "${CMAKE_INSTALL_DATADIR}/listorix")
# The desktop entry's id, which is also the AppStream component's.
set(LISTORIX_APP_ID "example.listorix.Listorix")
set(LISTORIX_MAINTAINER "Listorix developers <info@listorix.example>")
# Installed directories are world-readable whatever the umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(LISTORIX_PROGRAMS "")
foreach(program IN ITEMS listorix listorix-poll listorix-fetch)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
    list(APPEND LISTORIX_PROGRAMS ${program})
  endif()
endforeach()

install(DIRECTORY "${PROJECT_SOURCE_DIR}/web/" DESTINATION "${LISTORIX_INSTALL_DATADIR}/web")
# The demo quote service's ticker lists, as samples (8-bit text, CR LF, as the program reads them).
file(GLOB LISTORIX_SAMPLE_LISTS "${PROJECT_SOURCE_DIR}/tools/quoted/data/*.lst")
install(FILES ${LISTORIX_SAMPLE_LISTS} DESTINATION "${LISTORIX_INSTALL_DATADIR}")

install(FILES "${PROJECT_SOURCE_DIR}/desktop/${LISTORIX_APP_ID}.desktop"
  DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
configure_file("${PROJECT_SOURCE_DIR}/desktop/${LISTORIX_APP_ID}.metainfo.xml.in"
  "${CMAKE_BINARY_DIR}/desktop/${LISTORIX_APP_ID}.metainfo.xml" @ONLY)
install(FILES "${CMAKE_BINARY_DIR}/desktop/${LISTORIX_APP_ID}.metainfo.xml"
  DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
install(FILES "${PROJECT_SOURCE_DIR}/desktop/listorix.svg"
  DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")
if(TARGET listorix_icons)
  foreach(size IN LISTS LISTORIX_ICON_SIZES)
    install(FILES "${CMAKE_BINARY_DIR}/icons/hicolor/${size}x${size}/apps/listorix.png"
      DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps")
  endforeach()
endif()

# The manual pages and the changelog carry the version and release date of
# CMakeLists.txt, and are installed compressed as Debian wants them (gzip -9n: no
# name, no time stamp, so the same sources give the same bytes).
execute_process(COMMAND "${CMAKE_COMMAND}" -E env LC_ALL=C date -u -R -d "${LISTORIX_RELEASE_DATE}"
  OUTPUT_VARIABLE LISTORIX_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE
  COMMAND_ERROR_IS_FATAL ANY)
set(compressed_docs "")
function(listorix_compressed_doc template output)
  configure_file("${template}" "${output}" @ONLY)
  add_custom_command(OUTPUT "${output}.gz"
    COMMAND gzip -9nkf "${output}"
    DEPENDS "${output}"
    VERBATIM)
  set(compressed_docs ${compressed_docs} "${output}.gz" PARENT_SCOPE)
endfunction()
foreach(program IN ITEMS listorix listorix-poll listorix-fetch)
  listorix_compressed_doc("${PROJECT_SOURCE_DIR}/docs/man/${program}.1.in" "${CMAKE_BINARY_DIR}/man/${program}.1")
  install(FILES "${CMAKE_BINARY_DIR}/man/${program}.1.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
endforeach()
listorix_compressed_doc("${PROJECT_SOURCE_DIR}/packaging/changelog.in" "${CMAKE_BINARY_DIR}/doc/changelog")
add_custom_target(listorix_compressed_docs ALL DEPENDS ${compressed_docs})
install(FILES "${CMAKE_BINARY_DIR}/doc/changelog.gz" "${PROJECT_SOURCE_DIR}/packaging/copyright"
  DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/listorix")
