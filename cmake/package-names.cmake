# velto-<version>-win64.zip, and velto-<version>-setup.exe for the installer.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "velto-${CPACK_PACKAGE_VERSION}-setup")
endif()
