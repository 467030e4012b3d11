# "cpack" (run by scripts/package.sh) turns the install of cmake/install.cmake
# into build/quillberry_VERSION_amd64.deb for /usr. The install is staged
# with DESTDIR, so the desktop files name /usr/bin and no cache is built
# into the package: dpkg's triggers of shared-mime-info, desktop-file-utils
# and the icon cache refresh them when files land in their folders, and the
# package needs no maintainer scripts.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillberry)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Quillberry developers")
# Whoever builds the package names themselves as its maintainer (README.md,
# "Debian package"); the home page is QB_HOMEPAGE of cmake/install.cmake.
set(QB_MAINTAINER "Quillberry developers <quillberry@example.org>"
    CACHE STRING "The Debian package's maintainer, as \"Name <address>\"")
if(NOT QB_MAINTAINER MATCHES "^[^<>]*[^<> ] <[^<>@ ]+@[^<> ]+>$")
  message(FATAL_ERROR "QB_MAINTAINER must read \"Name <address>\", not \"${QB_MAINTAINER}\"")
endif()
set(CPACK_PACKAGE_CONTACT "${QB_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QB_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${QB_HOMEPAGE}")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The interface is Japanese: without a Japanese font its labels are boxes.
# Home page and mail links open through xdg-open.
# WebP and TIFF page pictures are read by Qt's plugins, which nothing links.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-image-formats-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic | fonts-noto-cjk | fonts-vlgothic, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "picture book viewer and editor")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Quillberry publishes and reads digital picture books: short illustrated
stories made of full-page pictures with their author, title, price, home
page, mail address and comment, and an optional password.

Quilly shows a book page by page; QuillyEd binds page pictures into a
book; qbbtool inspects books, extracts pages, makes thumbnails for file
managers and converts between books and comic archives (CBZ). The user
interface is Japanese.")
include(CPack)
