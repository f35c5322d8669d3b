# Run at install time: writes the desktop entry with Exec naming the installed executable by
# its full path, for the prefix being installed to. Paths with spaces or other characters the
# desktop entry format reserves are quoted, with ", `, $ and \ escaped inside the quotes and
# every backslash doubled again by the format's string escape.
# In: BRENVASK_DESKTOP_TEMPLATE, BRENVASK_DESKTOP_FILE, BRENVASK_GAMESDIR, BRENVASK_APPLICATIONSDIR.
set(executable "${CMAKE_INSTALL_PREFIX}/${BRENVASK_GAMESDIR}/brenvask")
if(executable MATCHES "[^A-Za-z0-9_./+,:@%~-]")
  string(REPLACE "\\" "\\\\\\\\" executable "${executable}")
  foreach(reserved "\"" "`" "$")
    string(REPLACE "${reserved}" "\\\\${reserved}" executable "${executable}")
  endforeach()
  set(executable "\"${executable}\"")
endif()
file(READ "${BRENVASK_DESKTOP_TEMPLATE}" entry)
string(REPLACE "BRENVASK_EXEC_AT_INSTALL" "${executable}" entry "${entry}")
get_filename_component(folder "${BRENVASK_DESKTOP_FILE}" DIRECTORY)
file(MAKE_DIRECTORY "${folder}")
file(WRITE "${BRENVASK_DESKTOP_FILE}" "${entry}")
file(INSTALL "${BRENVASK_DESKTOP_FILE}" DESTINATION "${CMAKE_INSTALL_PREFIX}/${BRENVASK_APPLICATIONSDIR}")
