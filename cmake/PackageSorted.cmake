# Run by cpack once it has made the zip: the zip is written again from the
# same staged files, in sorted order. CPack adds them in the order the file
# system lists the staging folder, which another file system may change.
# The archive takes a file's time, but no later than SOURCE_DATE_EPOCH (set
# by cmake/PackageEpoch.cmake): a file older than the commit, one that was
# not touched since an earlier checkout, would keep its own. Touched now,
# every file gets the commit's time.
get_filename_component(top "${CPACK_TEMPORARY_DIRECTORY}" DIRECTORY)
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${top}" "${CPACK_TEMPORARY_DIRECTORY}/*")
list(SORT files)
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  foreach(file IN LISTS files)
    file(TOUCH_NOCREATE "${top}/${file}")
  endforeach()
endif()
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  file(REMOVE "${package}")
  execute_process(COMMAND "${CMAKE_COMMAND}" -E tar cf "${package}" --format=zip -- ${files}
                  WORKING_DIRECTORY "${top}" RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "Could not write ${package} again: ${failed}")
  endif()
endforeach()
