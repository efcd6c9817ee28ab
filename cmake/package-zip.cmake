# Run by CPack after it has packed: the zip is made again from the same
# staged files by Info-ZIP without extra fields, since CPack's zip records
# each file's change and access times, which no two builds share.
if(NOT CPACK_GENERATOR STREQUAL "ZIP")
  return()
endif()
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  file(GLOB staged RELATIVE ${CPACK_TEMPORARY_DIRECTORY} ${CPACK_TEMPORARY_DIRECTORY}/*)
  list(SORT staged)
  file(REMOVE ${package})
  execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC zip -X -D -q -9 ${package} ${staged}
                  WORKING_DIRECTORY ${CPACK_TEMPORARY_DIRECTORY} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
