#!/usr/bin/env bash
# Sets everything up and runs the whole test suite: first the normal build, then the
# same tests built with AddressSanitizer and UndefinedBehaviorSanitizer in build-asan
# (OLTRANE_SANITIZED_TESTS=0 skips that second round).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
# The printing tests print to a PDF printer of this run's own, removed again however
# the run ends.
source scripts/cups-test-printer.sh
trap cups_test_printer_stop EXIT
cups_test_printer_start
(cd "${OLTRANE_BUILD_DIR:-build}" && ctest --output-on-failure -j2)

if [ "${OLTRANE_SANITIZED_TESTS:-1}" != "0" ]; then
  # Qt's libraries keep some allocations until exit on purpose (plugin and font caches):
  # leak reports would be theirs, not ours. Everything else stops the test.
  export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=1:strict_string_checks=1}
  export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
  OLTRANE_BUILD_DIR=${OLTRANE_ASAN_BUILD_DIR:-build-asan} scripts/setup.sh -DOLTRANE_SANITIZE=ON
  (cd "${OLTRANE_ASAN_BUILD_DIR:-build-asan}" && ctest --output-on-failure -j2)
fi
