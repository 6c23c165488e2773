# Read by cpack for each generator it runs.
if(CPACK_GENERATOR STREQUAL "DEB")
  # Debian keeps games in /usr/games; where the program goes is decided when the
  # build is configured.
  if(NOT CPACK_TOLVARN_INSTALL_GAMESDIR STREQUAL "games")
    message(FATAL_ERROR
      "The Debian package puts the program in /usr/games, but this build installs it in "
      "'${CPACK_TOLVARN_INSTALL_GAMESDIR}'. Build the package with packaging/build-deb.sh, "
      "or configure with -DTOLVARN_INSTALL_GAMESDIR=games, build, and run cpack again.")
  endif()
  set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/deb-staged.cmake)
endif()
