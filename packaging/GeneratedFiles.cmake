# What the package ships that the build makes: the manual pages (from the
# programs' own --help and --version, with the sections of packaging/man/*.h2m),
# the PNG icons rendered from packaging/kestrilo.svg, and the changelog,
# compressed as Debian wants it. Everything lands in packaging/ of the build
# tree; packaging/Install.cmake installs it.
find_program(KESTRILO_HELP2MAN help2man REQUIRED)
find_program(KESTRILO_RSVG_CONVERT rsvg-convert REQUIRED)
find_program(KESTRILO_GZIP gzip REQUIRED)

set(KESTRILO_PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)
set(KESTRILO_ICON_SIZES 16 22 24 32 48 64 128 256)

# The editor prints its help in the interface language kept in the user's
# settings; the manual pages are written from its English help, whatever the
# settings of the one who builds. The page's sections may hold UTF-8 (the
# Russian menu names), which help2man keeps only in a UTF-8 locale.
set(_man_settings ${KESTRILO_PACKAGING_OUT}/man-settings)
file(WRITE ${_man_settings}/Kestrilo/kestrilo.ini "[General]\nLanguage=en\n")

set(_generated)
function(kestrilo_man_page target summary)
  set(page ${KESTRILO_PACKAGING_OUT}/man/${target}.1)
  set(sections ${CMAKE_CURRENT_LIST_DIR}/man/${target}.h2m)
  add_custom_command(OUTPUT ${page}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${KESTRILO_PACKAGING_OUT}/man
    COMMAND ${CMAKE_COMMAND} -E env XDG_CONFIG_HOME=${_man_settings} LC_ALL=C.UTF-8 LANGUAGE=
            ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen
            ${KESTRILO_HELP2MAN} --locale=C.UTF-8 --no-info --section=1 --name=${summary} --include=${sections}
            --output=${page} $<TARGET_FILE:${target}>
    COMMAND ${KESTRILO_GZIP} -9 -n -f ${page}
    DEPENDS ${target} ${sections}
    COMMENT "Writing the manual page of ${target}"
    VERBATIM)
  set(_generated ${_generated} ${page}.gz PARENT_SCOPE)
endfunction()
kestrilo_man_page(kestrilo "level editor for a side-view platform game, with a playable preview")
kestrilo_man_page(kestrilo-tool "work on Kestrilo's levels, libraries, pictures and monsters without a window")

foreach(size IN LISTS KESTRILO_ICON_SIZES)
  set(icon ${KESTRILO_PACKAGING_OUT}/icons/${size}x${size}/kestrilo.png)
  add_custom_command(OUTPUT ${icon}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${KESTRILO_PACKAGING_OUT}/icons/${size}x${size}
    COMMAND ${KESTRILO_RSVG_CONVERT} --width=${size} --height=${size} --output=${icon}
            ${CMAKE_CURRENT_LIST_DIR}/kestrilo.svg
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/kestrilo.svg
    VERBATIM)
  list(APPEND _generated ${icon})
endforeach()

# A native package's changelog is changelog.gz, compressed without a time stamp.
set(_changelog ${KESTRILO_PACKAGING_OUT}/changelog)
add_custom_command(OUTPUT ${_changelog}.gz
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_LIST_DIR}/changelog ${_changelog}
  COMMAND ${KESTRILO_GZIP} -9 -n -f ${_changelog}
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/changelog
  VERBATIM)
list(APPEND _generated ${_changelog}.gz)

add_custom_target(kestrilo-packaging-files ALL DEPENDS ${_generated})
