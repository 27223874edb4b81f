# Installation (cmake --install) and the Debian package (cpack, scripts/package.sh).
#
#   bin/lumivex
#   share/applications/<id>.desktop               the menu entry
#   share/icons/hicolor/<n>x<n>/apps/lumivex.png  the icon, drawn by the icon resource's own code
#   share/metainfo/<id>.metainfo.xml              AppStream metadata for software centres
#   share/man/man1/lumivex.1.gz                   the manual page, from --help and lumivex.h2m
#   share/doc/lumivex/copyright, changelog.gz
#
# The data files are in packaging/; the version comes from project() alone.

# The release this version is, for the AppStream release entry and the Debian changelog. Change
# it with the version in project().
set(LUMIVEX_RELEASE_DATE "2026-12-09")
# The project's identity towards software centres and the package's metadata. The .example
# domain stands in until the project has a domain of its own; the AppStream id, which names the
# desktop entry, is that domain reversed.
set(LUMIVEX_HOMEPAGE "https://lumivex.example" CACHE STRING "The project's home page")
set(LUMIVEX_APP_ID "example.lumivex.Lumivex" CACHE STRING "AppStream id and desktop entry name")
set(LUMIVEX_MAINTAINER "Lumivex developers <maintainers@lumivex.example>"
  CACHE STRING "The Debian package's maintainer")

# Installing builds nothing itself: scripts/package.sh builds the program and these files alone,
# not every test.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(packaging_out ${CMAKE_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${packaging_out})

install(TARGETS lumivex RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The compilers' version notes serve no one at run time; Debian's packaging tools drop them too.
install(CODE "execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
  \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/lumivex\"
  COMMAND_ERROR_IS_FATAL ANY)")
install(FILES packaging/lumivex.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
  RENAME ${LUMIVEX_APP_ID}.desktop)

# The icon at the theme's usual sizes. The design is 16 units square, so every multiple of 16
# shows it with whole pixels per unit and no resampling.
find_package(PNG REQUIRED)
add_executable(lumivex_icon_png tools/icon_png.cpp)
target_link_libraries(lumivex_icon_png PRIVATE lumivex_program PNG::PNG)
set(icon_files)
foreach(size 16 32 48 64 128 256)
  set(icon ${packaging_out}/icons/${size}x${size}/lumivex.png)
  add_custom_command(OUTPUT ${icon}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${packaging_out}/icons/${size}x${size}
    COMMAND lumivex_icon_png ${size} ${icon}
    DEPENDS lumivex_icon_png
    COMMENT "Drawing the ${size}x${size} icon")
  list(APPEND icon_files ${icon})
  install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

configure_file(packaging/lumivex.metainfo.xml.in
  ${packaging_out}/${LUMIVEX_APP_ID}.metainfo.xml @ONLY)
install(FILES ${packaging_out}/${LUMIVEX_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The manual page: the options from --help, the rest (keys, files, exit status) from
# lumivex.h2m. SOURCE_DATE_EPOCH fixes its date to the release's, so that it is reproducible.
find_program(HELP2MAN help2man REQUIRED)
find_program(GZIP gzip REQUIRED)
execute_process(COMMAND date -u -d "${LUMIVEX_RELEASE_DATE} 12:00" +%s
  OUTPUT_VARIABLE release_epoch OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND date -u -R -d "${LUMIVEX_RELEASE_DATE} 12:00"
  OUTPUT_VARIABLE LUMIVEX_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE
  COMMAND_ERROR_IS_FATAL ANY)
add_custom_command(OUTPUT ${packaging_out}/lumivex.1.gz
  COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${release_epoch}
    ${HELP2MAN} --no-info --section=1
    "--name=full-screen test patterns for checking displays"
    --include=${CMAKE_SOURCE_DIR}/packaging/lumivex.h2m
    --output=${packaging_out}/lumivex.1 $<TARGET_FILE:lumivex>
  COMMAND ${GZIP} -9 -n -f ${packaging_out}/lumivex.1
  DEPENDS lumivex ${CMAKE_SOURCE_DIR}/packaging/lumivex.h2m
  COMMENT "Writing the manual page")
install(FILES ${packaging_out}/lumivex.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

configure_file(packaging/copyright.in ${packaging_out}/copyright @ONLY)
configure_file(packaging/changelog.in ${packaging_out}/changelog @ONLY)
add_custom_command(OUTPUT ${packaging_out}/changelog.gz
  COMMAND ${GZIP} -9 -n -c ${packaging_out}/changelog > ${packaging_out}/changelog.gz
  DEPENDS ${packaging_out}/changelog)
install(FILES ${packaging_out}/copyright ${packaging_out}/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DOCDIR})

add_custom_target(lumivex_install_files ALL
  DEPENDS ${icon_files} ${packaging_out}/lumivex.1.gz ${packaging_out}/changelog.gz)

# The Debian package: lumivex_<version>_<arch>.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumivex)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Lumivex developers")
set(CPACK_PACKAGE_CONTACT ${LUMIVEX_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "full-screen test patterns for checking displays")
set(CPACK_PACKAGE_DESCRIPTION
  "Lumivex fills the whole screen with one test pattern at a time, drawn pixel
for pixel for the screen's size, for checking displays, above all the
grayscale monitors on which medical images are read. Its 43 patterns are edge
lines, a pixel checkerboard, grids and boxes, gray and colour fields, fields
at an adjustable gray level, step wedges and ramps, a text page, a colour
chart, uniformity fields after DIN 6868-57 and DIN 6868-157, and the TG18-QC,
TG18-AFC and TG18-AD reference images of the AAPM TG18 test pattern set.
The keyboard steps through a chosen selection of them.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${LUMIVEX_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${LUMIVEX_HOMEPAGE})
# Display test tools live with the other graphics programs (screen and colour testers,
# calibration tools); the package is not a scientific library or analysis tool.
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from the binary itself; the fonts are looked up by name at run time: the
# text page and the dialogs' Latin text need Liberation Sans (Arial's metrics), the dialogs'
# Chinese text one of the CJK fonts the Qt backend asks for.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, fonts-wqy-zenhei | fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
