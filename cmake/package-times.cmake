# Run by CPack on the staged files, before it packs them: every file and
# folder takes the time of the commit (or SOURCE_DATE_EPOCH when set), so
# that two builds of one commit give the same zip and installer. A source
# tree without git history takes the time of its CMakeLists.txt, and says so.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(epoch $ENV{SOURCE_DATE_EPOCH})
else()
  execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY ${CPACK_VELTO_SOURCE_DIR}
                  OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed ERROR_QUIET)
  if(failed OR NOT epoch MATCHES "^[0-9]+$")
    file(TIMESTAMP ${CPACK_VELTO_SOURCE_DIR}/CMakeLists.txt epoch "%s" UTC)
    file(TIMESTAMP ${CPACK_VELTO_SOURCE_DIR}/CMakeLists.txt shown "%Y-%m-%d %H:%M:%S UTC" UTC)
    message(NOTICE "No git history and no SOURCE_DATE_EPOCH: the packaged files are dated ${shown}, "
                   "the time of CMakeLists.txt. Set SOURCE_DATE_EPOCH to choose the date.")
  endif()
endif()
file(GLOB_RECURSE staged LIST_DIRECTORIES true "${CPACK_TEMPORARY_DIRECTORY}/*")
execute_process(COMMAND touch -h -d @${epoch} ${CPACK_TEMPORARY_DIRECTORY} ${staged} COMMAND_ERROR_IS_FATAL ANY)
