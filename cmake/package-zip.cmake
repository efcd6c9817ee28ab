# Run by CPack after it has packed: the zip is made again from the same
# staged files by Info-ZIP without extra fields, since CPack's zip records
# each file's change and access times, which no two builds share. Its files
# sit in one top folder, Velto-<version>, so that "Extract here" makes one
# folder.
if(NOT CPACK_GENERATOR STREQUAL "ZIP")
  return()
endif()
set(top Velto-${CPACK_PACKAGE_VERSION})
set(work ${CPACK_TOPLEVEL_DIRECTORY}/zip-top)
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  file(REMOVE_RECURSE ${work})
  file(MAKE_DIRECTORY ${work})
  # cp -p keeps the file times that package-times.cmake gave the staged files.
  execute_process(COMMAND cp -pR ${CPACK_TEMPORARY_DIRECTORY} ${work}/${top} COMMAND_ERROR_IS_FATAL ANY)
  file(GLOB staged RELATIVE ${work} ${work}/${top}/*)
  list(SORT staged)
  file(REMOVE ${package})
  execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC zip -X -D -q -9 ${package} ${staged}
                  WORKING_DIRECTORY ${work} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
