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
# intercept_tls_get_addr=0: up to GCC 13 and LLVM 16 the runtime's __tls_get_addr interceptor
# takes a dynamic TLS block whose address ends in 0x010 for one with a pre-2.25 glibc header,
# reads the two words before it as that block's range, and the leak check at exit then faults on
# the nonsense range ("DTLS 9 at 0x...0ba7-0x000800001ca9", "Tracer caught signal 11"). Where a
# block lands depends on the heap, so the printing tests crashed on a machine with no locale set
# and never with one. Leaks are still found everywhere; only pointers kept solely in the dynamic
# TLS of a library loaded at run time go unseen.
_torvel_sanitizer_options(LSAN_OPTIONS
  "suppressions=${_torvel_sanitizers}/lsan.supp:print_suppressions=0:intercept_tls_get_addr=0")
