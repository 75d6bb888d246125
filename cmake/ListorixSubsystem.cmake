# The rooms of the core and who may use whom. Each folder of src/ is a static
# library listorix_<folder> built from the files its CMakeLists.txt lists; its
# target_link_libraries line names the folders it may use:
#
#   base                 the ground floor: uses nothing
#   ui                   the table component: uses nothing
#   retrieval            base
#   market               base, ui, retrieval
#   settings             base, ui, retrieval (the proxy settings), market
#   portfolio            base, ui, market
#   export               base, ui, portfolio
#   app                  base, ui, retrieval, market, settings, portfolio
#
# listorix_check_subsystem() holds a library to that line when CMake configures:
# a file of the folder that is not in the list, that includes a header of a
# folder the line does not name, or a Qt header of a gui/ folder, stops the
# configuration with the file and the include; so does a folder the line names
# but no file includes. listorix_core gathers them all.
set(LISTORIX_SUBSYSTEMS base ui retrieval market settings portfolio export app)

function(listorix_check_subsystem target)
  get_target_property(sources ${target} SOURCES)
  get_target_property(links ${target} LINK_LIBRARIES)
  if(NOT links)
    set(links "")
  endif()
  get_filename_component(folder "${CMAKE_CURRENT_SOURCE_DIR}" NAME)
  set(allowed "${folder}")
  set(named "")
  foreach(lib IN LISTS links)
    if(lib MATCHES "^listorix_(.+)$" AND CMAKE_MATCH_1 IN_LIST LISTORIX_SUBSYSTEMS)
      list(APPEND allowed "${CMAKE_MATCH_1}")
      list(APPEND named "${CMAKE_MATCH_1}")
    endif()
  endforeach()
  set(unused ${named})

  file(GLOB present RELATIVE "${CMAKE_CURRENT_SOURCE_DIR}" CONFIGURE_DEPENDS
    "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp" "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
  list(REMOVE_ITEM present main.cpp)
  foreach(file IN LISTS present)
    set(path "${CMAKE_CURRENT_SOURCE_DIR}/${file}")
    if(NOT file IN_LIST sources)
      message(FATAL_ERROR "${path} is not in the source list of ${target}: add it there.")
    endif()
    file(STRINGS "${path}" includes REGEX "^#include \"[A-Za-z_]+/")
    foreach(line IN LISTS includes)
      string(REGEX MATCH "^#include \"([A-Za-z_]+)/([^\"]*)\"" matched "${line}")
      set(used "${CMAKE_MATCH_1}")
      set(header "${CMAKE_MATCH_2}")
      if(NOT used IN_LIST LISTORIX_SUBSYSTEMS)
        continue()
      endif()
      if(header MATCHES "^gui/")
        message(FATAL_ERROR "${path}: ${line}: the core includes no Qt class; gui/ files live in listorix_gui.")
      endif()
      if(NOT used IN_LIST allowed)
        message(FATAL_ERROR "${path}: ${line}: ${target} does not name listorix_${used} among the "
                            "libraries it uses (target_link_libraries in ${CMAKE_CURRENT_SOURCE_DIR}/CMakeLists.txt).")
      endif()
      list(REMOVE_ITEM unused "${used}")
    endforeach()
  endforeach()
  foreach(used IN LISTS unused)
    message(FATAL_ERROR "${target} names listorix_${used} but none of its files includes a header of ${used}/.")
  endforeach()
endfunction()
