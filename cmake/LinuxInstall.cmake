# What the Linux build installs (at GNUInstallDirs places, for the Debian package that
# cmake/Packaging.cmake makes): the three programs, the web site, and for the window its
# desktop entry, AppStream metainfo, icon in the hicolor theme, the manual pages and the
# Debian copyright file and changelog. The icons are drawn at build time from the same SVG art
# the window shows, and the manual pages and changelog compressed, as Debian wants them.
include(GNUInstallDirs)

# The day the version was released, for the metainfo (packaging/linux/changelog.in has it too).
set(TARNWICK_RELEASE_DATE 2026-12-08)
# The screenshot in the metainfo is the repository's own, at the release's tag.
string(REPLACE "https://github.com/" "https://raw.githubusercontent.com/" TARNWICK_HOMEPAGE_RAW
               "${TARNWICK_HOMEPAGE}")
set(packaging_source ${PROJECT_SOURCE_DIR}/packaging/linux)
set(packaging_dir ${PROJECT_BINARY_DIR}/packaging)

find_program(TARNWICK_RSVG_CONVERT rsvg-convert)
find_program(TARNWICK_GZIP gzip)
if(NOT TARNWICK_RSVG_CONVERT OR NOT TARNWICK_GZIP)
  message(FATAL_ERROR "The installed icons and manual pages need rsvg-convert and gzip: "
                      "bash tools/setup.sh")
endif()

install(TARGETS tarnwick tarnwick-plan tarnwick-simstub RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/web/ DESTINATION ${CMAKE_INSTALL_DATADIR}/tarnwick/web)

# The desktop entry and the metainfo, both named after the application's id.
install(FILES ${packaging_source}/tarnwick.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications RENAME ${TARNWICK_APP_ID}.desktop)
configure_file(${packaging_source}/tarnwick.metainfo.xml.in
               ${packaging_dir}/${TARNWICK_APP_ID}.metainfo.xml @ONLY)
install(FILES ${packaging_dir}/${TARNWICK_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The icon: the window's SVG as it is, and drawn at each size (16 from its own small art).
set(icon_art ${PROJECT_SOURCE_DIR}/ui/qt/art)
set(icon_theme ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${icon_art}/icon.svg DESTINATION ${icon_theme}/scalable/apps
        RENAME ${TARNWICK_APP_ID}.svg)
set(icon_files "")
foreach(side 16 32 48 128 256)
  set(art ${icon_art}/icon.svg)
  if(side EQUAL 16)
    set(art ${icon_art}/icon-16.svg)
  endif()
  set(png ${packaging_dir}/icons/${side}/${TARNWICK_APP_ID}.png)
  add_custom_command(
    OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${packaging_dir}/icons/${side}
    COMMAND ${TARNWICK_RSVG_CONVERT} -w ${side} -h ${side} -o ${png} ${art}
    DEPENDS ${art}
    COMMENT "Drawing the ${side} pixel icon"
    VERBATIM)
  install(FILES ${png} DESTINATION ${icon_theme}/${side}x${side}/apps)
  list(APPEND icon_files ${png})
endforeach()

# The manual pages and the changelog, compressed without a name or time stamp inside.
function(tarnwick_gzip source output)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${TARNWICK_GZIP} -9nc ${source} > ${output}
    DEPENDS ${source}
    VERBATIM)
endfunction()
set(compressed_files "")
foreach(program tarnwick tarnwick-plan tarnwick-simstub)
  tarnwick_gzip(${packaging_source}/man/${program}.1 ${packaging_dir}/${program}.1.gz)
  install(FILES ${packaging_dir}/${program}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  list(APPEND compressed_files ${packaging_dir}/${program}.1.gz)
endforeach()
configure_file(${packaging_source}/changelog.in ${packaging_dir}/changelog @ONLY)
tarnwick_gzip(${packaging_dir}/changelog ${packaging_dir}/changelog.gz)
list(APPEND compressed_files ${packaging_dir}/changelog.gz)
add_custom_target(tarnwick_install_files ALL DEPENDS ${icon_files} ${compressed_files})

# Debian's machine-readable copyright file, with the licence text of LICENSE in it.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
string(FIND "${licence}" "Permission" licence_start)
string(SUBSTRING "${licence}" ${licence_start} -1 licence)
string(STRIP "${licence}" licence)
string(REGEX REPLACE "\n\n" "\n.\n" licence "${licence}")
string(REGEX REPLACE "\n" "\n " TARNWICK_LICENCE_TEXT "${licence}")
configure_file(${packaging_source}/copyright.in ${packaging_dir}/copyright @ONLY)
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/tarnwick)
install(FILES ${packaging_dir}/copyright ${packaging_dir}/changelog.gz DESTINATION ${doc_dir})
