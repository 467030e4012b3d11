# Install-time step of cmake/install.cmake: writes the desktop files for the
# prefix being installed to (under DESTDIR when staging) and lists them in
# the install manifest. A live install also refreshes the prefix's type and
# launcher caches, without which the desktop does not see the new types; a
# staged tree is not live yet, and packages refresh them themselves.
get_filename_component(qb_prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE)
execute_process(
  COMMAND "${QB_XDGEXPORT}" "${qb_prefix}/bin" "$ENV{DESTDIR}${qb_prefix}/share"
  OUTPUT_VARIABLE qb_written
  RESULT_VARIABLE qb_result)
if(NOT qb_result EQUAL 0)
  message(FATAL_ERROR "Writing the desktop files failed")
endif()
string(STRIP "${qb_written}" qb_written)
string(REPLACE "\n" ";" qb_written "${qb_written}")
foreach(file IN LISTS qb_written)
  message(STATUS "Installing: ${file}")
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${file}")
endforeach()

if("$ENV{DESTDIR}" STREQUAL "")
  foreach(qb_refresh IN ITEMS "update-mime-database;mime" "update-desktop-database;applications")
    list(GET qb_refresh 0 qb_tool)
    list(GET qb_refresh 1 qb_folder)
    find_program(qb_tool_path "${qb_tool}")
    if(qb_tool_path)
      message(STATUS "Refreshing: ${qb_prefix}/share/${qb_folder}")
      execute_process(COMMAND "${qb_tool_path}" "${qb_prefix}/share/${qb_folder}" RESULT_VARIABLE qb_result)
      if(NOT qb_result EQUAL 0)
        message(WARNING "${qb_tool} failed on ${qb_prefix}/share/${qb_folder}")
      endif()
    else()
      message(STATUS "${qb_tool} not found: run it on ${qb_prefix}/share/${qb_folder} to make the types known")
    endif()
    unset(qb_tool_path CACHE)
    unset(qb_tool_path)
  endforeach()
endif()
