# The Debian package: `make package` (or `cmake --build build --target package`)
# writes zelvane-snipwell_<version>_<arch>.deb into the build folder. What goes
# in is what `cmake --install` installs; the dependencies are read from the
# shared libraries by dpkg-shlibdeps, never written by hand.
set(SNIPWELL_PACKAGE_NAME zelvane-snipwell)
set(SNIPWELL_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/${SNIPWELL_PACKAGE_NAME})

# Debian wants the copyright and a compressed changelog (changelog.gz: the
# package is its own upstream, a native package) in the doc folder and
# a compressed manual page for every program on the PATH. gzip -n keeps the
# package reproducible (no name or time stamp inside).
set(SNIPWELL_PACKAGE_STAGE ${CMAKE_BINARY_DIR}/package-stage)
set(SNIPWELL_MAN_PAGES snipwell.1)
if(EXISTS ${CMAKE_SOURCE_DIR}/docs/snipwell-cli.1)
    list(APPEND SNIPWELL_MAN_PAGES snipwell-cli.1)
endif()
configure_file(${CMAKE_SOURCE_DIR}/packaging/changelog.in ${SNIPWELL_PACKAGE_STAGE}/changelog @ONLY)
set(stage_outputs ${SNIPWELL_PACKAGE_STAGE}/changelog.gz)
add_custom_command(
    OUTPUT ${SNIPWELL_PACKAGE_STAGE}/changelog.gz
    COMMAND sh -c "gzip -9n < '${SNIPWELL_PACKAGE_STAGE}/changelog' > '${SNIPWELL_PACKAGE_STAGE}/changelog.gz'"
    DEPENDS ${SNIPWELL_PACKAGE_STAGE}/changelog
    VERBATIM)
foreach(page IN LISTS SNIPWELL_MAN_PAGES)
    add_custom_command(
        OUTPUT ${SNIPWELL_PACKAGE_STAGE}/${page}.gz
        COMMAND ${CMAKE_COMMAND} -E make_directory ${SNIPWELL_PACKAGE_STAGE}
        COMMAND sh -c "gzip -9n < '${CMAKE_SOURCE_DIR}/docs/${page}' > '${SNIPWELL_PACKAGE_STAGE}/${page}.gz'"
        DEPENDS ${CMAKE_SOURCE_DIR}/docs/${page}
        VERBATIM)
    list(APPEND stage_outputs ${SNIPWELL_PACKAGE_STAGE}/${page}.gz)
    install(FILES ${SNIPWELL_PACKAGE_STAGE}/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
add_custom_target(package_docs ALL DEPENDS ${stage_outputs})
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright DESTINATION ${SNIPWELL_DOC_DIR})
install(FILES ${SNIPWELL_PACKAGE_STAGE}/changelog.gz DESTINATION ${SNIPWELL_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${SNIPWELL_PACKAGE_NAME})
set(CPACK_PACKAGE_VENDOR Zelvane)
set(CPACK_PACKAGE_VERSION ${SNIPWELL_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "cut, join and convert video and audio files")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_NAME ${SNIPWELL_PACKAGE_NAME})
set(CPACK_DEBIAN_PACKAGE_RELEASE "")
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Zelvane Snipwell developers <snipwell@zelvane.com>")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.zelvane.com/")
# CPack writes the summary as the first line and indents this under it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Zelvane Snipwell cuts the parts you want out of a video or audio file and
saves them as new files, one file per segment or all segments joined into
one. High-speed mode copies the streams without re-encoding; encoding mode
converts to many formats and can crop, rotate, adjust the picture, add a
watermark, subtitles and audio changes on the way.")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The media library is the program's own and lives beside it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/bin)
# The interface font and the Qt picture plug-ins are loaded at run time, so
# no library names them.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wine, libqt5svg5")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
