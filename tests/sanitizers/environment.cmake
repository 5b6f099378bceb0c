# Included by ctest in a sanitized build before any test runs (TORVEL_SANITIZE, TORVEL_FUZZ):
# the sanitizer options every test program runs under. Options already in the environment come
# after ours, so they win.
set(_torvel_sanitizers ${CMAKE_CURRENT_LIST_DIR})

function(_torvel_sanitizer_options variable options)
  if(DEFINED ENV{${variable}} AND NOT "$ENV{${variable}}" STREQUAL "")
    set(options "${options}:$ENV{${variable}}")
  endif()
  set(ENV{${variable}} "${options}")
endfunction()

_torvel_sanitizer_options(ASAN_OPTIONS
  "detect_leaks=1:check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=1:abort_on_error=0")
_torvel_sanitizer_options(UBSAN_OPTIONS "print_stacktrace=1:halt_on_error=1")
# Leaks that belong to libraries we link (never to Torvel's own code) are listed, one by one,
# in lsan.supp.
_torvel_sanitizer_options(LSAN_OPTIONS "suppressions=${_torvel_sanitizers}/lsan.supp:print_suppressions=0")
