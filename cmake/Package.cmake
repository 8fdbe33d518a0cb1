# The release: `cmake --build <Windows build> --target package` makes
# Vorlix-<version>-win32.zip, to unpack anywhere and run from there.
#   Vorlix.exe, VorlixHook.dll, PageScroll.vxp, default.vxs   the program
#   guide.html (and screenshots/ when the end-to-end suite took them)
#   LICENSE.txt
#   sdk/VorlixPlugin.h, sdk/pagescroll/                      for plug-in authors
# The archive is the same bytes for the same commit wherever it is built:
# every file time is the commit's (cmake/PackageEpoch.cmake), the files are
# in sorted order (cmake/PackageSorted.cmake), and the binaries carry no time
# stamps or build folders (CMakeLists.txt).

install(PROGRAMS $<TARGET_FILE:Vorlix> $<TARGET_FILE:VorlixHook> $<TARGET_FILE:PageScroll>
        DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/data/default.vxs DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
install(FILES ${PROJECT_SOURCE_DIR}/sdk/VorlixPlugin.h DESTINATION sdk)
install(FILES ${PROJECT_SOURCE_DIR}/examples/pagescroll/PageScroll.cpp
              ${PROJECT_SOURCE_DIR}/examples/pagescroll/PageScroll.def
        DESTINATION sdk/pagescroll)
# The guide is made when the package is: the screenshots of the end-to-end
# suite exist only after a test run, in this build or in the one named here
# (a build of only what ships runs no tests).
set(VORLIX_SCREENSHOTS ${PROJECT_BINARY_DIR}/test-results CACHE PATH
    "Folder with the end-to-end suite's pictures for the user guide")
install(CODE "
  set(guide_source \"${PROJECT_SOURCE_DIR}/docs/guide.html.in\")
  set(guide_screenshots \"${VORLIX_SCREENSHOTS}\")
  set(guide_version \"${VORLIX_VERSION_TEXT}\")
  set(guide_destination \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\")
  include(\"${PROJECT_SOURCE_DIR}/cmake/Guide.cmake\")
")

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Vorlix)
set(CPACK_PACKAGE_VENDOR Brenholt)
set(CPACK_PACKAGE_VERSION ${VORLIX_VERSION_TEXT})
set(CPACK_PACKAGE_FILE_NAME Vorlix-${VORLIX_VERSION_TEXT}-win32)
# Read by cpack itself, which then has the source folder at hand.
set(CPACK_VORLIX_SOURCE_DIR ${PROJECT_SOURCE_DIR})
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/PackageEpoch.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/PackageSorted.cmake)
include(CPack)
