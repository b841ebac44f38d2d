# Native build: the core against the simulated platform, with the unit tests.
enable_testing()
find_package(GTest REQUIRED)

add_library(nocturo_sim STATIC
  src/platform/sim/sim_ui.cpp
  src/platform/sim/sim_user.cpp
  src/platform/sim/sim_system.cpp
  src/platform/sim/sim_platform.cpp
)
target_include_directories(nocturo_sim PUBLIC src)
target_link_libraries(nocturo_sim PUBLIC nocturo_core PRIVATE nocturo_warnings)

# The Linux backend's decisions and decoders, free of Qt, tested here too.
add_library(nocturo_linux_rules STATIC
  src/platform/linux/notify_icon_data.cpp
  src/platform/linux/notify_icon_table.cpp
  src/platform/linux/power_plan.cpp
  src/platform/linux/journal_line.cpp
  src/platform/linux/private_place.cpp
  src/platform/linux/tray_reach.cpp
  src/platform/linux/session_platform.cpp
  src/platform/linux/window_placement.cpp
  src/platform/linux/accessibility_choice.cpp
)
target_link_libraries(nocturo_linux_rules PUBLIC nocturo_core PRIVATE nocturo_warnings)

file(GLOB NOCTURO_UNIT_TESTS CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(nocturo_tests ${NOCTURO_UNIT_TESTS})
target_include_directories(nocturo_tests PRIVATE tests)
# The man page's test reads it from the sources.
target_compile_definitions(nocturo_tests PRIVATE NOCTURO_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
target_link_libraries(nocturo_tests PRIVATE nocturo_sim nocturo_linux_rules GTest::gtest GTest::gtest_main nocturo_warnings)
include(GoogleTest)
gtest_discover_tests(nocturo_tests DISCOVERY_TIMEOUT 60)

if(NOCTURO_FUZZ)
  include(cmake/fuzz.cmake)
endif()

# Micro-benchmarks of the core (not part of the test suite).
find_package(benchmark QUIET)
if(benchmark_FOUND)
  add_executable(nocturo_micro_bench bench/micro/core_bench.cpp)
  target_link_libraries(nocturo_micro_bench PRIVATE nocturo_sim benchmark::benchmark)
endif()
