# `cmake --install` lays the program out as a Linux desktop program:
#   bin/listorix                                   the program
#   share/listorix/web/                            its start and help pages
#   share/applications/example.listorix.Listorix.desktop  the menu entry
#   share/metainfo/example.listorix.Listorix.metainfo.xml its AppStream data
#   share/icons/hicolor/scalable/apps/listorix.svg the icon, and PNG sizes beside it
# An installed program keeps the user's files in $XDG_DATA_HOME/listorix/ and reads
# the ticker lists and web/ from there first, then from share/listorix/.
set(LISTORIX_INSTALL_DATADIR "${CMAKE_INSTALL_DATADIR}/listorix")
# The desktop entry's id, which is also the AppStream component's.
set(LISTORIX_APP_ID "example.listorix.Listorix")

if(TARGET listorix)
  install(TARGETS listorix RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
endif()

install(DIRECTORY "${PROJECT_SOURCE_DIR}/web/" DESTINATION "${LISTORIX_INSTALL_DATADIR}/web")
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
