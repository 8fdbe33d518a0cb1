# Read by cpack before it packs: CPack's archives take every file time from
# SOURCE_DATE_EPOCH when it is set. Unless the caller set it, it is the time
# of the commit that is built, so that two builds of one commit give the same
# archive; outside a git checkout the times are those of the files.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  execute_process(COMMAND git -C "${CPACK_VORLIX_SOURCE_DIR}" log -1 --format=%ct
                  OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE failed ERROR_QUIET)
  if(NOT failed AND epoch MATCHES "^[0-9]+$")
    set(ENV{SOURCE_DATE_EPOCH} ${epoch})
  endif()
endif()
