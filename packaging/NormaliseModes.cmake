# Run by cpack after it has staged the packages' files, before it packs them: every folder
# and executable 0755, every other file 0644, whatever umask the build and the staging ran
# under, so that two builds of one commit give the same package members.
file(GLOB_RECURSE staged LIST_DIRECTORIES true "${CPACK_TEMPORARY_DIRECTORY}/*")
foreach(path IN LISTS staged)
  if(IS_SYMLINK "${path}")
    continue()
  endif()
  set(mode OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  if(IS_DIRECTORY "${path}")
    list(APPEND mode OWNER_EXECUTE GROUP_EXECUTE WORLD_EXECUTE)
  else()
    execute_process(COMMAND test -x "${path}" RESULT_VARIABLE not_executable)
    if(NOT not_executable)
      list(APPEND mode OWNER_EXECUTE GROUP_EXECUTE WORLD_EXECUTE)
    endif()
  endif()
  file(CHMOD "${path}" PERMISSIONS ${mode})
endforeach()
