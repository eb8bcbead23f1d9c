#!/usr/bin/env bash
# A PDF printer of the test run's own on the machine's CUPS (Debian's cups-pdf):
#
#   source scripts/cups-test-printer.sh
#   cups_test_printer_start   # starts cupsd when it is not running, adds the printer
#   cups_test_printer_stop    # removes the printer, stops the cupsd it started
#
# The printing tests find the printer and the folder its PDF files land in through
# OLTRANE_TEST_PRINTER and OLTRANE_TEST_PRINT_DIR; OLTRANE_REQUIRE_CUPS=1 makes them
# fail instead of skipping when the printer cannot be reached.
OLTRANE_TEST_PRINTER=OltraneTestPDF
_cups_instance=oltranetest
_cups_conf=/etc/cups/cups-pdf-${_cups_instance}.conf
_cups_pid=""
_cups_sudo=""
[ "$(id -u)" -eq 0 ] || _cups_sudo="sudo"

_cups_running() { lpstat -r 2>/dev/null | grep -q "is running"; }

cups_test_printer_start() {
  if ! _cups_running; then
    $_cups_sudo /usr/sbin/cupsd -f &
    _cups_pid=$!
    for _ in $(seq 50); do _cups_running && break; sleep 0.2; done
    _cups_running || { echo "cupsd did not start" >&2; return 1; }
  fi
  OLTRANE_TEST_PRINT_DIR=$(mktemp -d /tmp/oltrane-print.XXXXXX)
  chmod 755 "$OLTRANE_TEST_PRINT_DIR"
  # Label 0: the file is named after the job's title; readable by the tests.
  printf 'Out %s\nAnonDirName %s\nLabel 0\nAnonUMask 0022\nUserUMask 0022\n' \
    "$OLTRANE_TEST_PRINT_DIR" "$OLTRANE_TEST_PRINT_DIR" | $_cups_sudo tee "$_cups_conf" >/dev/null
  $_cups_sudo lpadmin -p "$OLTRANE_TEST_PRINTER" -E -v "cups-pdf:/${_cups_instance}" \
    -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null
  export OLTRANE_TEST_PRINTER OLTRANE_TEST_PRINT_DIR
  export OLTRANE_REQUIRE_CUPS=1
}

cups_test_printer_stop() {
  $_cups_sudo lpadmin -x "$OLTRANE_TEST_PRINTER" 2>/dev/null || true
  $_cups_sudo rm -f "$_cups_conf"
  if [ -n "$_cups_pid" ]; then
    $_cups_sudo kill "$_cups_pid" 2>/dev/null || true
    wait "$_cups_pid" 2>/dev/null || true
    _cups_pid=""
  fi
  [ -n "${OLTRANE_TEST_PRINT_DIR:-}" ] && $_cups_sudo rm -rf "$OLTRANE_TEST_PRINT_DIR"
  return 0
}
