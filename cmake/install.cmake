# What "cmake --install build --prefix P" puts in place: the three programs
# side by side in P/bin (they find each other and share one settings file
# there), their icons, launcher entries, type packages, the thumbnailer
# entry and qbbtool's manual. The launcher, type and thumbnailer files are
# written at install time by qb_xdgexport, because only then is P known:
# they name the programs by absolute paths under P, exactly as the programs
# register themselves, so they work whether or not P/bin is on PATH.
install(TARGETS Quilly QuillyEd qbbtool RUNTIME DESTINATION bin)
install(DIRECTORY ${QB_ICON_THEME_DIR}/ DESTINATION share/icons/hicolor)
install(FILES ${CMAKE_SOURCE_DIR}/tools/qbbtool/qbbtool.1 DESTINATION share/man/man1)
install(CODE "set(QB_XDGEXPORT \"$<TARGET_FILE:qb_xdgexport>\")")
install(SCRIPT ${CMAKE_SOURCE_DIR}/cmake/install_desktop_files.cmake)
