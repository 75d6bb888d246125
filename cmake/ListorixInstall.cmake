# `cmake --install` lays the program out as a Linux desktop program:
#   bin/listorix                                   the program
#   share/listorix/web/                            its start and help pages
#   share/applications/listorix.desktop            the menu entry
#   share/icons/hicolor/scalable/apps/listorix.svg the icon, and PNG sizes beside it
# An installed program keeps the user's files in $XDG_DATA_HOME/listorix/ and reads
# the ticker lists and web/ from there first, then from share/listorix/.
set(LISTORIX_INSTALL_DATADIR "${CMAKE_INSTALL_DATADIR}/listorix")

if(TARGET listorix)
  install(TARGETS listorix RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
endif()

install(DIRECTORY "${PROJECT_SOURCE_DIR}/web/" DESTINATION "${LISTORIX_INSTALL_DATADIR}/web")
install(FILES "${PROJECT_SOURCE_DIR}/desktop/listorix.desktop"
  DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${PROJECT_SOURCE_DIR}/desktop/listorix.svg"
  DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")
if(TARGET listorix_icons)
  foreach(size IN LISTS LISTORIX_ICON_SIZES)
    install(FILES "${CMAKE_BINARY_DIR}/icons/hicolor/${size}x${size}/apps/listorix.png"
      DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps")
  endforeach()
endif()
