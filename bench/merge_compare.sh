#!/usr/bin/env bash
# Batch flyers: `oltrane --merge` filling the sample template from 100 CSV rows into 100
# PNG files at 150 dpi, in one process, against Inkscape drawing the same 100 flyers
# (Oltrane's SVG exports of them) to PNG files of the same size, one process each as a
# script would run it. Times are whole runs, the best of RUNS for Oltrane.
#
#   bench/merge_compare.sh [--rows N] [--runs N] [--dpi N]
#
# Installs Inkscape from Debian when missing (here only, never for the build or tests).
set -euo pipefail
cd "$(dirname "$0")/.."

ROWS=100
RUNS=3
DPI=150
while [ $# -gt 0 ]; do
  case "$1" in
    --rows) ROWS=$2; shift ;;
    --runs) RUNS=$2; shift ;;
    --dpi) DPI=$2; shift ;;
    *) echo "usage: bench/merge_compare.sh [--rows N] [--runs N] [--dpi N]" >&2; exit 2 ;;
  esac
  shift
done

scripts/install-packages.sh inkscape time python3

BUILD=${OLTRANE_BENCH_BUILD_DIR:-build-bench}
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DOLTRANE_BENCH=ON -DOLTRANE_TESTS=OFF >/dev/null
cmake --build "$BUILD" --target oltrane >/dev/null

WORK=$(mktemp -d /tmp/oltrane-merge-XXXXXX)
trap 'rm -rf "$WORK"' EXIT
export XDG_CONFIG_HOME="$WORK/config" XDG_DATA_HOME="$WORK/data" HOME="$WORK/home" QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME" "$WORK/png" "$WORK/svg" "$WORK/inkscape"

# ROWS data rows: the sample's five flats over and over, each with its own number.
python3 - "$WORK/data.csv" "$ROWS" <<'PY'
import sys
lines = open('resources/csv_sample_8.csv', 'rb').read().decode('cp932').splitlines()
rows = [lines[0]] + ['%s No.%d,%s' % (lines[1 + i % 5].split(',', 1)[0], i + 1, lines[1 + i % 5].split(',', 1)[1])
                     for i in range(int(sys.argv[2]))]
open(sys.argv[1], 'wb').write(('\r\n'.join(rows) + '\r\n').encode('cp932'))
PY

best=""
for _ in $(seq "$RUNS"); do
  /usr/bin/time -f '%e' -o "$WORK/time" "$BUILD/oltrane" --merge "$WORK/data.csv" --dpi "$DPI" --out "$WORK/png" \
    samples/flyer.q_l 2>/dev/null
  t=$(cat "$WORK/time")
  best=$(awk -v a="$t" -v b="$best" 'BEGIN { print (b == "" || a < b) ? a : b }')
done
count=$(ls "$WORK/png" | wc -l)

"$BUILD/oltrane" --merge "$WORK/data.csv" --format svg --out "$WORK/svg" samples/flyer.q_l 2>/dev/null
start=$(date +%s.%N)
for f in "$WORK"/svg/*.svg; do
  inkscape --export-type=png --export-dpi="$DPI" --export-filename="$WORK/inkscape/$(basename "$f" .svg).png" "$f" \
    >/dev/null 2>&1
done
end=$(date +%s.%N)
ink=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.2f", b - a }')

echo "flyers:   $count PNG at $DPI dpi from $ROWS rows"
echo "oltrane --merge (one process):       ${best} s"
echo "Inkscape, one process per SVG:       ${ink} s"
awk -v a="$best" -v b="$ink" 'BEGIN { printf "ratio: %.1fx\n", b / a }'
