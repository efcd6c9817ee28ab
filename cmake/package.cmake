# What a Windows user gets: a zip to unpack and run, and an installer.
# Doc and the start-up sound look beside the program, so the files stay
# side by side; the guide's example course goes with the guide.
# The guide and the licence go with Windows line ends (made in ui/), which
# every Notepad shows as lines.
install(TARGETS velto RUNTIME DESTINATION .)
install(FILES ${CMAKE_BINARY_DIR}/ui/velto.txt ${PROJECT_SOURCE_DIR}/data/grovlet.wav
              ${PROJECT_SOURCE_DIR}/data/hill-course.gpx DESTINATION .)
install(FILES ${CMAKE_BINARY_DIR}/ui/LICENSE.txt DESTINATION .)
# The installer's own list of what it installs: the only files it ever
# copies aside, checks or removes, whatever else a folder holds.
set(CPACK_VELTO_FILES "velto.exe|velto.txt|grovlet.wav|LICENSE.txt|hill-course.gpx|")

set(CPACK_PACKAGE_NAME velto)
set(CPACK_PACKAGE_VENDOR ${VELTO_PUBLISHER})
set(CPACK_VELTO_COPYRIGHT ${VELTO_COPYRIGHT})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "A Pacing Calculator for Runners")
set(CPACK_SYSTEM_NAME win64)
set(CPACK_GENERATOR "ZIP;NSIS")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Velto)
# The installer is ours (cmake/NSIS.template.in): for the current user,
# without administrator rights, one Start menu entry.
set(CPACK_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})
# A 64-bit installer for a 64-bit program (it also runs where only 64-bit
# Windows programs can, as under a 64-bit-only Wine).
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/ui/velto.ico)
set(CPACK_VELTO_SOURCE_DIR ${PROJECT_SOURCE_DIR})
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/package-times.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/package-zip.cmake)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/package-names.cmake)
include(CPack)
