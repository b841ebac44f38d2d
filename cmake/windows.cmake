# Windows build: the GUI program and the end-to-end driver, statically linked.
enable_language(RC)

# No link time in the PE header, so that the same sources give the same bytes
# (the release archive is checked against the tree).
set(NOCTURO_WIN_FLAGS -static -static-libgcc -static-libstdc++ -municode -mwindows
  -Wl,--no-insert-timestamp)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0500 WINVER=0x0500)

# Size: every function and datum in a section of its own, so that the linker
# keeps only what is reached. (The build type, MinSizeRel, adds -Os.)
set(NOCTURO_SIZE_COMPILE_FLAGS -ffunction-sections -fdata-sections)
set(NOCTURO_SIZE_LINK_FLAGS -Wl,--gc-sections)
target_compile_options(nocturo_core PRIVATE ${NOCTURO_SIZE_COMPILE_FLAGS})

file(GLOB NOCTURO_WIN32_SOURCES CONFIGURE_DEPENDS src/platform/win32/*.cpp)
add_executable(nocturo WIN32 ${NOCTURO_WIN32_SOURCES} res/nocturo.rc)
# The version (project()) and the publisher are written only in CMakeLists.txt;
# the resources and the program read them from these generated files.
set(NOCTURO_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(cmake/nocturo_version.h.in ${NOCTURO_GENERATED_DIR}/nocturo_version.h @ONLY)
configure_file(res/nocturo.manifest.in ${NOCTURO_GENERATED_DIR}/nocturo.manifest @ONLY)
target_include_directories(nocturo PRIVATE ${NOCTURO_GENERATED_DIR})
target_link_libraries(nocturo PRIVATE nocturo_core nocturo_warnings
  shell32 advapi32 user32 gdi32 kernel32)
target_compile_options(nocturo PRIVATE ${NOCTURO_SIZE_COMPILE_FLAGS})
target_link_options(nocturo PRIVATE ${NOCTURO_WIN_FLAGS} ${NOCTURO_SIZE_LINK_FLAGS} -s)
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  # Runs on Windows 2000 and later.
  target_link_options(nocturo PRIVATE -Wl,--major-subsystem-version,5 -Wl,--minor-subsystem-version,0)
endif()

# The yardstick of bench/run.sh: a bare tray program with the same flags.
add_executable(nocturo_baseline WIN32 bench/baseline/baseline.cpp)
target_link_libraries(nocturo_baseline PRIVATE nocturo_warnings shell32 user32 kernel32)
target_compile_options(nocturo_baseline PRIVATE ${NOCTURO_SIZE_COMPILE_FLAGS})
target_link_options(nocturo_baseline PRIVATE ${NOCTURO_WIN_FLAGS} ${NOCTURO_SIZE_LINK_FLAGS} -s)
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  target_link_options(nocturo_baseline PRIVATE -Wl,--major-subsystem-version,5 -Wl,--minor-subsystem-version,0)
endif()

file(GLOB NOCTURO_DRIVER_SOURCES CONFIGURE_DEPENDS tests/e2e/driver/*.cpp)
if(NOCTURO_DRIVER_SOURCES)
  add_executable(nocturo_driver ${NOCTURO_DRIVER_SOURCES})
  target_link_libraries(nocturo_driver PRIVATE nocturo_warnings user32 gdi32 shell32 advapi32)
  target_link_options(nocturo_driver PRIVATE -static -static-libgcc -static-libstdc++ -municode)
endif()

# The end-to-end harness's first question to a prefix: does it run 32-bit
# programs at all (32-bit Wine may run only through qemu here).
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  add_executable(nocturo_probe tests/e2e/probe/i686_probe.cpp)
  target_link_libraries(nocturo_probe PRIVATE nocturo_warnings user32 kernel32)
  target_link_options(nocturo_probe PRIVATE -static -static-libgcc -static-libstdc++ -municode -s)
endif()
