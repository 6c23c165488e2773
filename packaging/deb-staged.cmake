# Run by cpack on the files staged for the Debian package, before it packs them.
# The stripped program loses the compiler's notes as well, as a program in a
# package built by Debian's own tools does.
file(GLOB programs ${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/games/*)
if(NOT programs)
  message(FATAL_ERROR "no program staged in ${CPACK_PACKAGING_INSTALL_PREFIX}/games")
endif()
execute_process(COMMAND ${CPACK_TOLVARN_STRIP} --remove-section=.comment --remove-section=.note ${programs}
                COMMAND_ERROR_IS_FATAL ANY)
