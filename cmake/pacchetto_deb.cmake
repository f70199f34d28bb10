# `cpack -G DEB` in the build folder builds the Debian package of what `cmake --install`
# installs, with its library dependencies found by dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME scenario-tool)
set(CPACK_PACKAGE_VENDOR "ARONA_DOMODOSSOLA_324")
set(CPACK_PACKAGE_CONTACT "ARONA_DOMODOSSOLA_324 maintainers <scenario-tool@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Scenario compiler for a train-driving simulator and the ARONA_DOMODOSSOLA_324 package")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
