# Run by CPack on the staged files, before it packs them: every file and
# folder takes the time of the commit (or SOURCE_DATE_EPOCH when set), so
# that two builds of one commit give the same zip and installer.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(epoch $ENV{SOURCE_DATE_EPOCH})
else()
  execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY ${CPACK_VELTO_SOURCE_DIR}
                  OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed)
  if(failed OR epoch STREQUAL "")
    set(epoch 0)
  endif()
endif()
file(GLOB_RECURSE staged LIST_DIRECTORIES true "${CPACK_TEMPORARY_DIRECTORY}/*")
execute_process(COMMAND touch -h -d @${epoch} ${CPACK_TEMPORARY_DIRECTORY} ${staged} COMMAND_ERROR_IS_FATAL ANY)
