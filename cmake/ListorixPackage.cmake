# The Debian package, made by CPack from the install rules (scripts/package runs it):
# listorix_<version>_<architecture>.deb in the build folder, installing under /usr.
# Its Depends line is what dpkg-shlibdeps finds the programs linked against (the
# browser engine's libraries name its helper process's package too).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME listorix)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "Listorix developers")
set(CPACK_PACKAGE_CONTACT "${LISTORIX_MAINTAINER}")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.listorix.example/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "quote monitor for the Italian stock market")
set(CPACK_PACKAGE_DESCRIPTION [=[
Listorix shows the quotes of the Italian stock market on the desktop: the
market indices with the day's chart, and four tables of shares, bonds,
derivatives and funds, each refreshed on its own countdown. A portfolio is
valued in euro and lire; the tables go into HTML reports and to the clipboard
for spreadsheets. Closed to the notification area, it goes on refreshing.

The package also holds listorix-poll, which runs the same fetch without a
window (for a terminal or a cron job), and listorix-fetch, which fetches one
URL with the program's HTTP client to check a proxy set-up.]=])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY "${CMAKE_BINARY_DIR}")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
find_program(LISTORIX_DPKG dpkg)
if(LISTORIX_DPKG)
  execute_process(COMMAND "${LISTORIX_DPKG}" --print-architecture
    OUTPUT_VARIABLE CPACK_DEBIAN_PACKAGE_ARCHITECTURE OUTPUT_STRIP_TRAILING_WHITESPACE
    COMMAND_ERROR_IS_FATAL ANY)
  # The name CPack gives the package (the package test looks for it).
  set(LISTORIX_PACKAGE_FILE
    "${CPACK_PACKAGE_DIRECTORY}/listorix_${PROJECT_VERSION}_${CPACK_DEBIAN_PACKAGE_ARCHITECTURE}.deb")
endif()
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own words in Italian (the message boxes' buttons).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

include(CPack)
