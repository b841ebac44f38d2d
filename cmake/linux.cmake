# The native Linux desktop program: the core with the Qt 6 backend.
find_package(Qt6 6.2 REQUIRED COMPONENTS Widgets DBus)

# The benchmarks' floor (bench/linux/): a bare Qt tray icon, built on demand.
add_executable(tray_floor EXCLUDE_FROM_ALL bench/linux/floor/tray_floor.cpp)
target_link_libraries(tray_floor PRIVATE Qt6::Widgets nocturo_warnings)
target_include_directories(tray_floor SYSTEM PRIVATE ${Qt6Widgets_INCLUDE_DIRS})

file(GLOB NOCTURO_LINUX_SOURCES CONFIGURE_DEPENDS src/platform/linux/*.cpp)
# The icons travel inside the program, read by Qt's ICO plugin.
add_executable(nocturo ${NOCTURO_LINUX_SOURCES} res/linux.qrc)
set_target_properties(nocturo PROPERTIES AUTOMOC ON AUTORCC ON)
target_compile_definitions(nocturo PRIVATE
  NOCTURO_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
  NOCTURO_VERSION_MINOR=${PROJECT_VERSION_MINOR}
  QT_NO_KEYWORDS QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII)
# libxcb: to hear of an X11 tray manager that starts after the program.
find_path(NOCTURO_XCB_INCLUDE_DIR xcb/xcb.h REQUIRED)
find_library(NOCTURO_XCB_LIBRARY xcb REQUIRED)
target_link_libraries(nocturo PRIVATE nocturo_core Qt6::Widgets Qt6::DBus ${NOCTURO_XCB_LIBRARY}
  nocturo_warnings)
target_include_directories(nocturo SYSTEM PRIVATE ${NOCTURO_XCB_INCLUDE_DIR})
# libdbus itself (Qt's own D-Bus library): to ask a bus with a time limit
# before Qt opens it with none.
find_package(PkgConfig REQUIRED)
pkg_check_modules(NOCTURO_DBUS REQUIRED IMPORTED_TARGET dbus-1)
target_link_libraries(nocturo PRIVATE PkgConfig::NOCTURO_DBUS)
# Qt's own headers are not ours to keep warning-free.
target_include_directories(nocturo SYSTEM PRIVATE ${Qt6Widgets_INCLUDE_DIRS} ${Qt6DBus_INCLUDE_DIRS})
install(TARGETS nocturo RUNTIME DESTINATION bin)

# The Qt controls' own tests, on Qt's offscreen platform; built when GoogleTest
# is there (scripts/install-deps.sh without --linux installs it).
find_package(GTest QUIET)
if(GTest_FOUND)
  enable_testing()
  add_executable(nocturo_qt_tests tests/linux/unit/qt_controls_test.cpp
    src/platform/linux/qt_controls.cpp src/platform/linux/qt_controls_build.cpp
    src/platform/linux/qt_control_metrics.cpp
    src/platform/linux/masked_time_line_edit.cpp src/platform/linux/qt_buttons.cpp
    src/platform/linux/qt_colours.cpp src/platform/linux/qt_fonts.cpp)
  set_target_properties(nocturo_qt_tests PROPERTIES AUTOMOC ON)
  target_compile_definitions(nocturo_qt_tests PRIVATE
    QT_NO_KEYWORDS QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII)
  target_link_libraries(nocturo_qt_tests PRIVATE nocturo_core Qt6::Widgets GTest::gtest
    nocturo_warnings)
  target_include_directories(nocturo_qt_tests SYSTEM PRIVATE ${Qt6Widgets_INCLUDE_DIRS})
  add_test(NAME qt_controls COMMAND nocturo_qt_tests)
endif()

# The desktop's launcher and its icon theme want the icon as PNG files.
add_executable(nocturo_icon_png packaging/linux/icon_png.cpp)
target_link_libraries(nocturo_icon_png PRIVATE Qt6::Gui nocturo_warnings)
target_include_directories(nocturo_icon_png SYSTEM PRIVATE ${Qt6Gui_INCLUDE_DIRS})
target_compile_definitions(nocturo_icon_png PRIVATE QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII)
set(NOCTURO_ICON_THEME ${CMAKE_CURRENT_BINARY_DIR}/hicolor)
add_custom_command(
  OUTPUT ${NOCTURO_ICON_THEME}/16x16/apps/org.example.nocturo.png ${NOCTURO_ICON_THEME}/32x32/apps/org.example.nocturo.png
  COMMAND nocturo_icon_png ${CMAKE_CURRENT_SOURCE_DIR}/res/nocturo.ico ${NOCTURO_ICON_THEME}
    org.example.nocturo
  DEPENDS nocturo_icon_png res/nocturo.ico
  COMMENT "Icon theme PNGs from res/nocturo.ico")
add_custom_target(nocturo_icon_theme ALL
  DEPENDS ${NOCTURO_ICON_THEME}/16x16/apps/org.example.nocturo.png ${NOCTURO_ICON_THEME}/32x32/apps/org.example.nocturo.png)
install(DIRECTORY ${NOCTURO_ICON_THEME}/ DESTINATION share/icons/hicolor)
install(FILES packaging/linux/org.example.nocturo.desktop DESTINATION share/applications)
# What software centres list (AppStream).
install(FILES packaging/linux/org.example.nocturo.metainfo.xml DESTINATION share/metainfo)

# The Debian docs: copyright, changelog and the man page. The copyright year
# and the man page's date are the sources' (SOURCE_DATE_EPOCH, else the last
# commit), never the build's, so the same sources give the same bytes.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  execute_process(COMMAND git log -1 --format=%ct
    WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
    OUTPUT_VARIABLE NOCTURO_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE
    RESULT_VARIABLE NOCTURO_GIT_RESULT ERROR_QUIET)
  if(NOCTURO_GIT_RESULT EQUAL 0 AND NOCTURO_EPOCH MATCHES "^[0-9]+$")
    set(ENV{SOURCE_DATE_EPOCH} ${NOCTURO_EPOCH})
  endif()
endif()
string(TIMESTAMP NOCTURO_YEAR "%Y" UTC)
string(TIMESTAMP NOCTURO_MAN_DATE "%Y-%m-%d" UTC)

file(STRINGS packaging/linux/changelog NOCTURO_CHANGELOG_TOP LIMIT_COUNT 1)
string(REPLACE "." "\\." NOCTURO_VERSION_PATTERN ${PROJECT_VERSION})
if(NOT NOCTURO_CHANGELOG_TOP MATCHES "^nocturo \\(${NOCTURO_VERSION_PATTERN}\\) ")
  message(FATAL_ERROR "packaging/linux/changelog has no entry for ${PROJECT_VERSION} at its top")
endif()
# Software centres show the first release of the metainfo as the version.
file(READ packaging/linux/org.example.nocturo.metainfo.xml NOCTURO_METAINFO)
string(REGEX MATCH "<release version=\"[^\"]*\"" NOCTURO_METAINFO_TOP "${NOCTURO_METAINFO}")
if(NOT NOCTURO_METAINFO_TOP STREQUAL "<release version=\"${PROJECT_VERSION}\"")
  message(FATAL_ERROR "packaging/linux/org.example.nocturo.metainfo.xml has no release ${PROJECT_VERSION} first")
endif()
# The licence is the read-me's, as in LICENCIA.txt, indented as DEP-5 wants.
execute_process(COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/scripts/licence-text.sh
  COMMAND sed "s/^$/./; s/^/ /"
  OUTPUT_VARIABLE NOCTURO_LICENCE OUTPUT_STRIP_TRAILING_WHITESPACE
  RESULTS_VARIABLE NOCTURO_LICENCE_RESULTS)
if(NOT NOCTURO_LICENCE_RESULTS STREQUAL "0;0")
  message(FATAL_ERROR "scripts/licence-text.sh could not read the licence")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  src/ui/leeme.cpp scripts/licence-text.sh packaging/linux/changelog
  packaging/linux/org.example.nocturo.metainfo.xml)
set(NOCTURO_DOC ${CMAKE_CURRENT_BINARY_DIR}/doc)
configure_file(packaging/linux/copyright.in ${NOCTURO_DOC}/copyright @ONLY)
configure_file(packaging/linux/nocturo.1.in ${NOCTURO_DOC}/nocturo.1 @ONLY)
add_custom_command(OUTPUT ${NOCTURO_DOC}/changelog.gz
  COMMAND sh -c "gzip -9n <\"$0\" >\"$1\"" ${CMAKE_CURRENT_SOURCE_DIR}/packaging/linux/changelog
    ${NOCTURO_DOC}/changelog.gz
  DEPENDS packaging/linux/changelog VERBATIM)
add_custom_command(OUTPUT ${NOCTURO_DOC}/nocturo.1.gz
  COMMAND sh -c "gzip -9n <\"$0\" >\"$1\"" ${NOCTURO_DOC}/nocturo.1 ${NOCTURO_DOC}/nocturo.1.gz
  DEPENDS ${NOCTURO_DOC}/nocturo.1 VERBATIM)
add_custom_target(nocturo_doc ALL DEPENDS ${NOCTURO_DOC}/changelog.gz ${NOCTURO_DOC}/nocturo.1.gz)
install(FILES ${NOCTURO_DOC}/copyright ${NOCTURO_DOC}/changelog.gz DESTINATION share/doc/nocturo)
install(FILES ${NOCTURO_DOC}/nocturo.1.gz DESTINATION share/man/man1)

# A .deb: scripts/package-deb.sh runs cpack -G DEB here, with the time and
# umask that make it reproducible.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME nocturo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "El equipo de Nocturo <equipo@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "apaga, reinicia o cierra la sesión a una hora")
# CPack indents each line itself.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Nocturo vive en el área de notificación y, a la hora elegida o dentro de
unos minutos, apaga el equipo, lo reinicia o cierra la sesión, a través de
systemd-logind y del gestor de sesión del escritorio.")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's Wayland platform: for a Wayland session without an X server, or a user
# who asks for it (QT_QPA_PLATFORM=wayland); otherwise the program runs
# through XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "systemd | elogind, qt6-wayland")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
