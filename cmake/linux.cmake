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
target_link_libraries(nocturo PRIVATE nocturo_core Qt6::Widgets Qt6::DBus nocturo_warnings)
# Qt's own headers are not ours to keep warning-free.
target_include_directories(nocturo SYSTEM PRIVATE ${Qt6Widgets_INCLUDE_DIRS} ${Qt6DBus_INCLUDE_DIRS})
install(TARGETS nocturo RUNTIME DESTINATION bin)
