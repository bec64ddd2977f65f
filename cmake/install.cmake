# Installing Vorlen (cmake --install, make install PREFIX=...) and its Debian package
# (cpack -G DEB, make package): the programs, the demo game under share/vorlen/games,
# desktop entries and icons for Pandrel and the demo, manual pages.
include(GNUInstallDirs)

set(vorlen_packaging ${CMAKE_SOURCE_DIR}/packaging)
set(vorlen_staged ${CMAKE_BINARY_DIR}/packaging)

set(vorlen_programs engine engine-windowed engine-headless vorlen-check vorlen-play
  vorlen-pack)
if(TARGET pandrel)
  list(APPEND vorlen_programs pandrel)
endif()
install(TARGETS ${vorlen_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The demo, painted at build time; the stamp is the build's own.
install(DIRECTORY ${CMAKE_BINARY_DIR}/demo-game/
  DESTINATION ${CMAKE_INSTALL_DATADIR}/vorlen/games/harrow-house
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
  PATTERN .stamp EXCLUDE PATTERN "slot*" EXCLUDE PATTERN "shot*" EXCLUDE)

install(FILES ${vorlen_packaging}/desktop/vorlen-harrow-house.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${vorlen_packaging}/icons/vorlen.svg
  ${vorlen_packaging}/icons/vorlen-harrow-house.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
if(TARGET pandrel)
  install(FILES ${vorlen_packaging}/desktop/pandrel.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${vorlen_packaging}/icons/pandrel.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()

# Manual pages and the changelog carry the version; Debian wants them compressed with
# no time stamp in the gzip header (gzip -n), so two builds give the same bytes.
find_program(VORLEN_GZIP gzip REQUIRED)
set(vorlen_pages engine engine-headless vorlen-check vorlen-play vorlen-pack)
if(TARGET pandrel)
  list(APPEND vorlen_pages pandrel)
endif()
set(vorlen_compressed)
foreach(text IN LISTS vorlen_pages ITEMS changelog)
  if(text STREQUAL "changelog")
    set(source ${vorlen_packaging}/changelog)
    set(plain ${vorlen_staged}/changelog)
  else()
    set(source ${vorlen_packaging}/man/${text}.1.in)
    set(plain ${vorlen_staged}/${text}.1)
  endif()
  configure_file(${source} ${plain} @ONLY)
  add_custom_command(OUTPUT ${plain}.gz
    COMMAND ${VORLEN_GZIP} -9nf -k ${plain}
    DEPENDS ${plain} VERBATIM)
  list(APPEND vorlen_compressed ${plain}.gz)
endforeach()
add_custom_target(vorlen-packaging-texts ALL DEPENDS ${vorlen_compressed})
list(TRANSFORM vorlen_pages APPEND .1.gz OUTPUT_VARIABLE vorlen_page_files)
list(TRANSFORM vorlen_page_files PREPEND ${vorlen_staged}/)
install(FILES ${vorlen_page_files} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# engine-windowed shares the engine's page.
file(CREATE_LINK engine.1.gz ${vorlen_staged}/engine-windowed.1.gz SYMBOLIC)
install(FILES ${vorlen_staged}/engine-windowed.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${vorlen_staged}/changelog.gz ${vorlen_packaging}/copyright
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vorlen)

# The Debian package. Its library dependencies are read from the programs by
# dpkg-shlibdeps, so it installs on a fresh Debian 12 with everything it needs.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vorlen)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Vorlen developers <vorlen@vorlen.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "first-person point-and-click adventure game engine")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Vorlen plays adventure games made of views: pictures with polygonal hotspots,
scripts, movies, music and sounds. The package holds the engine (full screen,
windowed and headless for automated play-throughs), vorlen-play to start an
installed game with the player's saves kept apart, the game checker
vorlen-check, vorlen-pack to ship a game, the scene editor Pandrel and the
demo game Harrow House.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Not "games": that section expects its programs in /usr/games, and these are tools
# as much as games.
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
