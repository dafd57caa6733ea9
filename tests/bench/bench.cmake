# Registering tests that run on the Wine test bench (see bench.sh).
#
#   kelvane_add_wine_test(NAME <name> COMMAND <target-or-path> [ARGS ...] [TRAY]
#                         [LABELS <labels...>] [TIMEOUT <s>])
#     runs the Windows program through wine-test on a bench of its own (with a tray when TRAY is
#     given); the test passes when the program exits 0. Label "wine" unless LABELS are given;
#     TIMEOUT (default 120 s) bounds the program itself, the bench's start and stop come on top.
#
#   kelvane_add_e2e_test(NAME <name> SCRIPT <file.sh> [WAITS] [TIMEOUT <s>] [LABELS <labels...>])
#     runs a bash script (which sources $KELVANE_BENCH and starts its own bench); label "e2e"
#     unless LABELS are given; TIMEOUT defaults to 300 s. The script sees KELVANE_BUILD_DIR (the
#     Windows build tree), KELVANE_ARCH (its architecture, which the bench runs), KELVANE_SOURCE_DIR
#     (the repository) and KELVANE_BENCH (bench.sh). WAITS: the script spends most of its time
#     waiting (on a clock, a hang, minutes of samples), not working.
#
# Every bench has its own display and prefix, so benches may run side by side, but two that work
# at once on a machine of 2 cores make each other late: the tests that work hold one lock
# (kelvane_bench) and run one at a time, and a test that WAITS runs beside any other. Measured on
# 2 cores, alone: the working tests keep the machine 30-50 % busy, the waiting ones 7-28 %.

find_program(KELVANE_BASH bash REQUIRED)

function(kelvane_add_wine_test)
  cmake_parse_arguments(PARSE_ARGV 0 arg "TRAY" "NAME;COMMAND;TIMEOUT" "ARGS;LABELS")
  if(NOT arg_NAME OR NOT arg_COMMAND OR arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "kelvane_add_wine_test(NAME <name> COMMAND <target-or-path> [ARGS ...] "
                        "[TRAY] [LABELS ...] [TIMEOUT s]): bad arguments ${arg_UNPARSED_ARGUMENTS}")
  endif()
  if(TARGET ${arg_COMMAND})
    set(exe $<TARGET_FILE:${arg_COMMAND}>)
  else()
    get_filename_component(exe ${arg_COMMAND} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_BINARY_DIR})
  endif()
  set(tray)
  if(arg_TRAY)
    set(tray --tray)
  endif()
  if(NOT arg_TIMEOUT)
    set(arg_TIMEOUT 120)
  endif()
  if(NOT arg_LABELS)
    set(arg_LABELS wine)
  endif()
  # On top of the program's own limit: the bench's start (the first one also builds the template
  # prefix, about 10 s) and stop. A test killed by CTest leaves its clean-up to the bench's reaper.
  math(EXPR ctest_timeout "${arg_TIMEOUT} + 90")
  add_test(NAME ${arg_NAME}
           COMMAND ${KELVANE_BASH} ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/wine-test ${tray} ${exe}
                   ${arg_ARGS})
  set_tests_properties(${arg_NAME} PROPERTIES
    LABELS "${arg_LABELS}"
    RESOURCE_LOCK kelvane_bench
    TIMEOUT ${ctest_timeout}
    ENVIRONMENT "KELVANE_WINE_TEST_TIMEOUT=${arg_TIMEOUT};KELVANE_ARCH=${CMAKE_SYSTEM_PROCESSOR};KELVANE_BUILD_DIR=${CMAKE_BINARY_DIR};KELVANE_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
endfunction()

function(kelvane_add_e2e_test)
  cmake_parse_arguments(PARSE_ARGV 0 arg "WAITS" "NAME;SCRIPT;TIMEOUT" "LABELS")
  if(NOT arg_NAME OR NOT arg_SCRIPT OR arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "kelvane_add_e2e_test(NAME <name> SCRIPT <file.sh> [WAITS] [TIMEOUT s] "
                        "[LABELS ...]): bad arguments ${arg_UNPARSED_ARGUMENTS}")
  endif()
  get_filename_component(script ${arg_SCRIPT} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  if(NOT arg_TIMEOUT)
    set(arg_TIMEOUT 300)
  endif()
  if(NOT arg_LABELS)
    set(arg_LABELS e2e)
  endif()
  add_test(NAME ${arg_NAME} COMMAND ${KELVANE_BASH} ${script})
  set_tests_properties(${arg_NAME} PROPERTIES
    LABELS "${arg_LABELS}"
    TIMEOUT ${arg_TIMEOUT}
    ENVIRONMENT "KELVANE_ARCH=${CMAKE_SYSTEM_PROCESSOR};KELVANE_BUILD_DIR=${CMAKE_BINARY_DIR};KELVANE_SOURCE_DIR=${CMAKE_SOURCE_DIR};KELVANE_BENCH=${CMAKE_CURRENT_FUNCTION_LIST_DIR}/bench.sh")
  if(NOT arg_WAITS)
    set_tests_properties(${arg_NAME} PROPERTIES RESOURCE_LOCK kelvane_bench)
  endif()
endfunction()
