# Install-time step of cmake/install.cmake: writes the desktop files for the
# prefix being installed to (under DESTDIR when staging) and lists them in
# the install manifest. The desktop's caches are not refreshed here: a
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
