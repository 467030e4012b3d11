# What "cmake --install build --prefix P" puts in place: the three programs
# side by side in P/bin (they find each other and share one settings file
# there), their icons, launcher entries, type packages, the thumbnailer
# entry, the manuals, the AppStream description software centres show, and
# the copyright and changelog every Debian package carries. The launcher, type and thumbnailer files are
# written at install time by qb_xdgexport, because only then is P known:
# they name the programs by absolute paths under P, exactly as the programs
# register themselves, so they work whether or not P/bin is on PATH.
install(TARGETS Quilly QuillyEd qbbtool RUNTIME DESTINATION bin)
install(DIRECTORY ${QB_ICON_THEME_DIR}/ DESTINATION share/icons/hicolor)
# Manuals compressed as man expects them, without a time stamp so that two
# builds give the same bytes.
find_program(QB_GZIP gzip REQUIRED)
set(qb_manuals)
foreach(page tools/qbbtool/qbbtool.1 viewer/Quilly.1 editor/QuillyEd.1 packaging/debian/changelog)
  get_filename_component(name ${page} NAME)
  set(packed ${CMAKE_BINARY_DIR}/packed/${name}.gz)
  add_custom_command(
    OUTPUT ${packed}
    COMMAND ${QB_GZIP} -9nc ${CMAKE_SOURCE_DIR}/${page} > ${packed}
    DEPENDS ${CMAKE_SOURCE_DIR}/${page}
    COMMENT "Compressing ${name}")
  list(APPEND qb_manuals ${packed})
endforeach()
add_custom_target(packed_documents ALL DEPENDS ${qb_manuals})
install(FILES ${CMAKE_BINARY_DIR}/packed/qbbtool.1.gz ${CMAKE_BINARY_DIR}/packed/Quilly.1.gz
              ${CMAKE_BINARY_DIR}/packed/QuillyEd.1.gz DESTINATION share/man/man1)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/debian/copyright ${CMAKE_BINARY_DIR}/packed/changelog.gz
        DESTINATION share/doc/quillberry)

# Where the project lives on the web; the AppStream screenshot is published
# under it as screenshots/quilly.png (scripts/screenshot-viewer.sh draws it).
set(QB_HOMEPAGE "https://quillberry.example.org"
    CACHE STRING "The project's home page, named in the AppStream description and the package's Homepage field")
if(NOT QB_HOMEPAGE MATCHES "^https?://[^ ]+[^/ ]$")
  message(FATAL_ERROR "QB_HOMEPAGE must be an http(s) address without a trailing slash, not \"${QB_HOMEPAGE}\"")
endif()
configure_file(${CMAKE_SOURCE_DIR}/packaging/org.quillberry.Quillberry.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/packed/org.quillberry.Quillberry.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packed/org.quillberry.Quillberry.metainfo.xml DESTINATION share/metainfo)
install(CODE "set(QB_XDGEXPORT \"$<TARGET_FILE:qb_xdgexport>\")")
install(SCRIPT ${CMAKE_SOURCE_DIR}/cmake/install_desktop_files.cmake)
