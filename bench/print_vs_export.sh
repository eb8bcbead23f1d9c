#!/usr/bin/env bash
# Printing the large generated flyer (49 MB, photos, plans) to a CUPS PDF printer
# against --export to PDF (goal: printing within 2 x the export). Each time is a whole
# process; printing is timed twice: until the program has handed the job to CUPS, and
# until the PDF printer's file is complete (CUPS's own filters and cups-pdf included).
#
#   bench/print_vs_export.sh [--runs N] [--seed N]
#
# Needs root or sudo for the printer (scripts/cups-test-printer.sh); builds into build-bench.
set -euo pipefail
cd "$(dirname "$0")/.."

RUNS=3
SEED=20261210
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) RUNS=$2; shift ;;
    --seed) SEED=$2; shift ;;
    *) echo "usage: bench/print_vs_export.sh [--runs N] [--seed N]" >&2; exit 2 ;;
  esac
  shift
done

scripts/install-packages.sh cups printer-driver-cups-pdf poppler-utils libbenchmark-dev
BUILD=${OLTRANE_BENCH_BUILD_DIR:-build-bench}
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DOLTRANE_BENCH=ON -DOLTRANE_TESTS=OFF >/dev/null
cmake --build "$BUILD" --target oltrane oltrane_make_flyer >/dev/null

WORK=$(mktemp -d /tmp/oltrane-print-bench-XXXXXX)
source scripts/cups-test-printer.sh
trap 'cups_test_printer_stop; rm -rf "$WORK"' EXIT
cups_test_printer_start
export XDG_CONFIG_HOME="$WORK/config" XDG_DATA_HOME="$WORK/data" QT_QPA_PLATFORM=offscreen

"$BUILD/bench/oltrane_make_flyer" "$WORK/flyer.q_l" --large --seed "$SEED"

now() { date +%s.%N; }
# The seconds one command takes, the best of RUNS runs.
best_of() {
  local best=""
  for _ in $(seq "$RUNS"); do
    local t0 t1
    t0=$(now)
    "$@" >/dev/null
    t1=$(now)
    best=$(awk -v a="$t0" -v b="$t1" -v best="$best" 'BEGIN { d = b - a; if (best == "" || d < best) best = d; printf "%.2f", best }')
  done
  echo "$best"
}

# One print, until its PDF is complete: "handed complete" in seconds.
print_once() {
  local title=$1 t0 t1 t2 f=""
  cp "$WORK/flyer.q_l" "$WORK/$title.q_l"
  t0=$(now)
  "$BUILD/oltrane" --print --printer "$OLTRANE_TEST_PRINTER" "$WORK/$title.q_l"
  t1=$(now)
  for _ in $(seq 1200); do
    f=$(ls "$OLTRANE_TEST_PRINT_DIR"/"$title"*.pdf 2>/dev/null | head -1 || true)
    if [ -n "$f" ] && tail -c 64 "$f" | grep -q '%%EOF'; then break; fi
    sleep 0.05
  done
  t2=$(now)
  [ -n "$f" ] || { echo "no PDF from the printer" >&2; exit 1; }
  awk -v a="$t0" -v b="$t1" -v c="$t2" 'BEGIN { printf "%.2f %.2f\n", b - a, c - a }'
}

t_export=$(best_of "$BUILD/oltrane" --export "$WORK/flyer.pdf" "$WORK/flyer.q_l")
hand="" done_=""
for i in $(seq "$RUNS"); do
  read -r h d < <(print_once "bench$i")
  hand=$(awk -v x="$h" -v b="$hand" 'BEGIN { if (b == "" || x < b) b = x; print b }')
  done_=$(awk -v x="$d" -v b="$done_" 'BEGIN { if (b == "" || x < b) b = x; print b }')
done
size_mb=$(awk -v b="$(stat -c %s "$WORK/flyer.q_l")" 'BEGIN { printf "%.1f", b / 1e6 }')
echo "Flyer --large (seed $SEED, $size_mb MB); best of $RUNS; $(nproc) cores"
printf "%-44s %8s %7s\n" "" "wall s" "ratio"
printf "%-44s %8.2f %7.2f\n" "oltrane --export flyer.pdf" "$t_export" 1
printf "%-44s %8.2f %7.2f\n" "oltrane --print (job handed to CUPS)" "$hand" "$(awk -v a="$hand" -v b="$t_export" 'BEGIN { print a / b }')"
printf "%-44s %8.2f %7.2f\n" "oltrane --print (until the PDF is written)" "$done_" "$(awk -v a="$done_" -v b="$t_export" 'BEGIN { print a / b }')"
