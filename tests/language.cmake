# Included by ctest before any test runs: the tests speak English whatever the desktop's language,
# in a locale that is not C, so that a test that sets LANGUAGE is heard.
set(ENV{LC_ALL} C.UTF-8)
unset(ENV{LANGUAGE})
unset(ENV{COLUMNS})
