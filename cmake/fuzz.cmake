# libFuzzer targets. The fuzz preset builds everything with the sanitizers;
# here the core also gets the fuzzer's coverage hooks, so that the fuzzers can
# see into it, and each target gets libFuzzer's main.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "NOCTURO_FUZZ needs clang (libFuzzer); use the fuzz preset")
endif()

target_compile_options(nocturo_core PRIVATE -fsanitize=fuzzer-no-link)

set(NOCTURO_FUZZ_TARGETS
  fuzz_numeric
  fuzz_time_of_day
  fuzz_masked_time
  fuzz_text_encoding
  fuzz_command_line
  fuzz_stored_position
)
foreach(target IN LISTS NOCTURO_FUZZ_TARGETS)
  add_executable(${target} fuzz/${target}.cpp)
  target_link_libraries(${target} PRIVATE nocturo_core nocturo_warnings)
  target_compile_options(${target} PRIVATE -fsanitize=fuzzer)
  target_link_options(${target} PRIVATE -fsanitize=fuzzer)
endforeach()
# The stored position is read through the restore itself, on the simulated
# machine.
target_link_libraries(fuzz_stored_position PRIVATE nocturo_sim)
