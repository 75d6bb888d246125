# The rooms of the program and who may use whom. Each folder of src/ is a static
# library listorix_<room> built from the files its CMakeLists.txt lists; its
# target_link_libraries line names the rooms it may use:
#
#   base        the ground floor: uses nothing
#   grid        the table component: base
#   http        the HTTP/1.0 client: base
#   websource   the web quote source: base
#   market      catalogue, answers, quote tables and their order: base, grid
#   settings    the settings file and the settings in force: base, grid, market
#   portfolio   base, grid, market
#   alerts      the price alerts: base, grid, market, settings, portfolio
#   export      the HTML report and the clipboard text: base, grid, portfolio
#   browser     the web tab's proxy: base, http
#   fetch       the schedule, the fetch and its workers: base, http, websource, market, settings
#   app         the program: every room
#
# A room's Qt classes sit in its gui/ folder, a second library listorix_<room>_gui
# whose line names what it uses: its own core and the other rooms' cores as
# listorix_<room>, their Qt halves as listorix_<room>_gui, each named on its own.
#
# listorix_check_subsystem() and listorix_check_gui() hold a library to its line
# when CMake configures: a file of the folder that is not in the list, or that
# includes a header of a room the line does not name, stops the configuration
# with the file and the include; so does a room the line names but no file
# includes. The core includes nothing of a gui/ folder. listorix_core gathers the
# core libraries, listorix_gui the Qt ones.
set(LISTORIX_SUBSYSTEMS base grid http websource market settings portfolio alerts export browser fetch app)

# The includes of `files` (paths relative to `dir`) that name a room: "room" for
# a core header, "room/gui" for a Qt one. Stops at a file missing from `sources`.
function(listorix_room_includes out dir sources target)
  set(result "")
  foreach(file IN LISTS ARGN)
    set(path "${dir}/${file}")
    if(NOT file IN_LIST sources AND NOT path IN_LIST sources)
      message(FATAL_ERROR "${path} is not in the source list of ${target}: add it there.")
    endif()
    file(STRINGS "${path}" includes REGEX "^#include \"[A-Za-z_]+/")
    foreach(line IN LISTS includes)
      string(REGEX MATCH "^#include \"([A-Za-z_]+)/([^\"]*)\"" matched "${line}")
      set(room "${CMAKE_MATCH_1}")
      if(NOT room IN_LIST LISTORIX_SUBSYSTEMS)
        continue()
      endif()
      if(CMAKE_MATCH_2 MATCHES "^gui/")
        set(room "${room}/gui")
      endif()
      list(APPEND result "${room}|${path}|${line}")
    endforeach()
  endforeach()
  set(${out} "${result}" PARENT_SCOPE)
endfunction()

# Checks the includes against the rooms `target` links: `allowed` are the rooms
# its own folder gives, `links` what its line names.
function(listorix_check_rooms target allowed entries)
  get_target_property(links ${target} LINK_LIBRARIES)
  if(NOT links)
    set(links "")
  endif()
  set(named "")
  foreach(lib IN LISTS links)
    if(lib MATCHES "^listorix_(.+)_gui$" AND CMAKE_MATCH_1 IN_LIST LISTORIX_SUBSYSTEMS)
      list(APPEND named "${CMAKE_MATCH_1}/gui")
    elseif(lib MATCHES "^listorix_(.+)$" AND CMAKE_MATCH_1 IN_LIST LISTORIX_SUBSYSTEMS)
      list(APPEND named "${CMAKE_MATCH_1}")
    endif()
  endforeach()
  set(unused ${named})
  foreach(entry IN LISTS entries)
    string(REPLACE "|" ";" parts "${entry}")
    list(GET parts 0 room)
    list(GET parts 1 path)
    list(GET parts 2 line)
    if(room IN_LIST allowed)
      continue()
    endif()
    if(room IN_LIST named)
      list(REMOVE_ITEM unused "${room}")
    elseif(room MATCHES "/gui$" AND NOT allowed MATCHES "/gui")
      message(FATAL_ERROR "${path}: ${line}: the core includes no Qt class; gui/ files live in the room's Qt library.")
    else()
      string(REPLACE "/gui" "_gui" lib "${room}")
      message(FATAL_ERROR "${path}: ${line}: ${target} does not name listorix_${lib} among the libraries it "
                          "uses (target_link_libraries in ${CMAKE_CURRENT_SOURCE_DIR}/CMakeLists.txt).")
    endif()
  endforeach()
  foreach(room IN LISTS unused)
    string(REPLACE "/gui" "_gui" lib "${room}")
    message(FATAL_ERROR "${target} names listorix_${lib} but none of its files includes a header of ${room}/.")
  endforeach()
endfunction()

# The core library of the room whose CMakeLists.txt calls it.
function(listorix_check_subsystem target)
  get_target_property(sources ${target} SOURCES)
  get_filename_component(folder "${CMAKE_CURRENT_SOURCE_DIR}" NAME)
  file(GLOB present RELATIVE "${CMAKE_CURRENT_SOURCE_DIR}" CONFIGURE_DEPENDS
    "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp" "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
  # A small program's main() is the executable's, not the library's.
  list(REMOVE_ITEM present main.cpp)
  listorix_room_includes(entries "${CMAKE_CURRENT_SOURCE_DIR}" "${sources}" ${target} ${present})
  listorix_check_rooms(${target} "${folder}" "${entries}")
endfunction()

# The Qt library of the room: its files in gui/, each listed by its path there.
function(listorix_check_gui target)
  get_target_property(sources ${target} SOURCES)
  get_filename_component(folder "${CMAKE_CURRENT_SOURCE_DIR}" NAME)
  file(GLOB present RELATIVE "${CMAKE_CURRENT_SOURCE_DIR}" CONFIGURE_DEPENDS
    "${CMAKE_CURRENT_SOURCE_DIR}/gui/*.cpp" "${CMAKE_CURRENT_SOURCE_DIR}/gui/*.h"
    "${CMAKE_CURRENT_SOURCE_DIR}/gui/*.qrc")
  # The program block is the executable's, not the library's.
  list(REMOVE_ITEM present gui/main.cpp)
  set(headers_and_sources "")
  foreach(file IN LISTS present)
    if(NOT file MATCHES "\\.qrc$")
      list(APPEND headers_and_sources "${file}")
    elseif(NOT file IN_LIST sources)
      message(FATAL_ERROR "${CMAKE_CURRENT_SOURCE_DIR}/${file} is not in the source list of ${target}: add it there.")
    endif()
  endforeach()
  listorix_room_includes(entries "${CMAKE_CURRENT_SOURCE_DIR}" "${sources}" ${target} ${headers_and_sources})
  # Its own Qt half is its own; its core it names on its line, as any other.
  listorix_check_rooms(${target} "${folder}/gui" "${entries}")
endfunction()

# A room's Qt library: AUTOMOC, the Qt modules it names, and the check.
function(listorix_add_gui_library target)
  cmake_parse_arguments(arg "" "" "SOURCES;ROOMS;QT" ${ARGN})
  add_library(${target} STATIC ${arg_SOURCES})
  set_target_properties(${target} PROPERTIES AUTOMOC ON AUTORCC ON)
  target_link_libraries(${target} PUBLIC ${arg_ROOMS})
  set(qt_targets Qt6::Widgets)
  foreach(module IN LISTS arg_QT)
    list(APPEND qt_targets Qt6::${module})
  endforeach()
  target_link_libraries(${target} PUBLIC listorix_flags ${qt_targets})
  listorix_relax_third_party(${target})
  listorix_check_gui(${target})
endfunction()
