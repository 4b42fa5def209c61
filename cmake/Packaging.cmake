# Installation as a desktop program and the Debian package. Included last from the top-level
# CMakeLists.txt, so that every program's target exists by now.
include(GNUInstallDirs)

set(ZENTRAX_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)

if(TARGET zentrax-stats)
  install(TARGETS zentrax-stats RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
if(TARGET zentrax-editor)
  install(TARGETS zentrax-editor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # The MIME type application/x-nes-rom (*.nes) comes with shared-mime-info; the entry only
  # names it, so "Open with" lists the editor for .nes files.
  install(FILES ${ZENTRAX_PACKAGING_DIR}/zentrax-editor.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${ZENTRAX_PACKAGING_DIR}/zentrax-editor.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()

set(CPACK_PACKAGE_NAME zentrax)
set(CPACK_PACKAGE_VENDOR "Zentrax stats editor developers")
set(CPACK_PACKAGE_CONTACT "Zentrax stats editor developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
    "Reads a Zentrax .nes image, checks that it is the revision whose layout is known, shows\n"
    "its 60 car statistics for editing and writes them back into the file in place. The\n"
    "package holds the desktop editor zentrax-editor and the command-line tool zentrax-stats.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps turns the libraries the programs link (Qt, libstdc++, libc) into Depends.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
if(TARGET zentrax-editor)
  # Qt loads its platform plugins at run time, so dpkg-shlibdeps cannot see them.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, hicolor-icon-theme")
endif()
include(CPack)

if(ZENTRAX_BUILD_TESTS)
  add_test(NAME packaging.desktop_entry_validates
           COMMAND desktop-file-validate ${ZENTRAX_PACKAGING_DIR}/zentrax-editor.desktop)
  if(TARGET zentrax-stats)
    add_test(NAME packaging.deb_runs_zentrax_stats
             COMMAND ${PROJECT_SOURCE_DIR}/tests/packaging/deb_check.sh
                     ${PROJECT_BINARY_DIR}/CPackConfig.cmake)
  endif()
endif()
