# `cpack -G DEB` in the build folder builds the Debian package of what `cmake --install`
# installs, with its library dependencies found by dpkg-shlibdeps. lintian passes it with no
# error and no warning (cmake/prova_deb.cmake).
set(CPACK_PACKAGE_NAME scenario-tool)
set(CPACK_PACKAGE_VENDOR "ARONA_DOMODOSSOLA_324")
set(CPACK_PACKAGE_CONTACT "Scenario Tool Maintainers <maintainers@scenario-tool.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "scenario compiler and route packager for a train-driving simulator")
# A blank line is a paragraph break in the package's description.
set(CPACK_PACKAGE_DESCRIPTION [[
scenario-tool compiles a route's two text sources, the line description and
the train service, into the three binary files a train-driving simulator
loads: the track plan, the station table and the route cells. It checks the
sources with an error message for each problem, dumps and plots compiled
files, and makes a route into one self-contained program for drivers.

Also installed is ARONA_DOMODOSSOLA_324, the package of the route from Arona
to Domodossola with train 324: run in a folder of its own, it writes the
driver's documents and the compiled files there.]])
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)

# The package's version is the project's; the changelog's latest entry must name it.
set(changelog_debian ${PROJECT_SOURCE_DIR}/cmake/debian/changelog)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${changelog_debian})
file(STRINGS ${changelog_debian} voce_recente LIMIT_COUNT 1)
if(NOT voce_recente MATCHES "^scenario-tool \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "cmake/debian/changelog: the latest entry is not version "
                      "${PROJECT_VERSION} of project(VERSION)")
endif()
include(CPack)
