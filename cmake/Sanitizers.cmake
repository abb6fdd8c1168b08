# The sanitizers, defined once: the flags of the sanitizer build (ORVANE_SANITIZE, the
# preset "asan") and of the fuzz targets (fuzz/), and the options every run of the
# sanitizer build starts with, whether ctest starts it or a script does.

set(ORVANE_SANITIZERS address,undefined)
set(ORVANE_SANITIZER_COMPILE_FLAGS -fsanitize=${ORVANE_SANITIZERS} -fno-sanitize-recover=all -fno-omit-frame-pointer)
set(ORVANE_SANITIZER_LINK_FLAGS -fsanitize=${ORVANE_SANITIZERS})

# Stop at the first finding, with its stack; a finding fails the run. Leaks inside
# fontconfig's caches are suppressed (tests/sanitizer/lsan.supp says why), never our own.
set(ORVANE_SANITIZER_OPTIONS
  "ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1:print_stacktrace=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1"
  "UBSAN_OPTIONS=halt_on_error=1:abort_on_error=1:print_stacktrace=1"
  "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/sanitizer/lsan.supp:print_suppressions=0")

if(ORVANE_SANITIZE)
  add_compile_options(${ORVANE_SANITIZER_COMPILE_FLAGS})
  add_link_options(${ORVANE_SANITIZER_LINK_FLAGS})

  # The options in two forms in the build folder: a script ctest reads before it starts
  # any test of this build (however it is called), and a shell file the scripts that
  # start the program themselves source (scripts/run-asan.sh).
  set(ctest_form "# Written by CMake from cmake/Sanitizers.cmake.\n")
  set(shell_form "# Written by CMake from cmake/Sanitizers.cmake; source it before running a program of this build.\n")
  foreach(option IN LISTS ORVANE_SANITIZER_OPTIONS)
    string(FIND "${option}" "=" equals)
    string(SUBSTRING "${option}" 0 ${equals} name)
    math(EXPR equals "${equals} + 1")
    string(SUBSTRING "${option}" ${equals} -1 value)
    string(APPEND ctest_form "set(ENV{${name}} \"${value}\")\n")
    string(APPEND shell_form "export ${name}='${value}'\n")
  endforeach()
  file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/sanitizer-options.cmake CONTENT "${ctest_form}" @ONLY)
  file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/sanitizer-env.sh CONTENT "${shell_form}" @ONLY)
  set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY TEST_INCLUDE_FILES
    ${PROJECT_BINARY_DIR}/sanitizer-options.cmake)
endif()
