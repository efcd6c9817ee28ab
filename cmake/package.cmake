# What a Windows user gets: a zip to unpack and run, and an installer.
# Doc and the start-up sound look beside the program, so the three files
# stay side by side.
install(TARGETS velto RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/data/velto.txt ${PROJECT_SOURCE_DIR}/data/grovlet.wav DESTINATION .)

set(CPACK_PACKAGE_NAME velto)
set(CPACK_PACKAGE_VENDOR Velto)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "A Pacing Calculator for Runners")
set(CPACK_SYSTEM_NAME win64)
set(CPACK_GENERATOR "ZIP;NSIS")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Velto)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Velto)
set(CPACK_PACKAGE_EXECUTABLES "velto;Velto")  # the Start menu entry
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
# A 64-bit installer for a 64-bit program (it also runs where only 64-bit
# Windows programs can, as under a 64-bit-only Wine).
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_DISPLAY_NAME Velto)
set(CPACK_NSIS_PACKAGE_NAME Velto)
set(CPACK_NSIS_INSTALLED_ICON_NAME velto.exe)
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/ui/velto.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/ui/velto.ico)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/package-names.cmake)
include(CPack)
