# velto-1.0.0-win64.zip, and velto-1.0.0-setup.exe for the installer.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "velto-1.0.0-setup")
endif()
