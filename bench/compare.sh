#!/usr/bin/env bash
# Oltrane's PNG export of a flyer against librsvg (rsvg-convert) and Inkscape
# rendering Oltrane's own SVG export of the same flyer to a PNG of the same size.
# Every time is a whole process, input file to PNG file, the best of RUNS runs.
#
#   bench/compare.sh [--sample | --plain | --large] [--dpi N] [--runs N] [--seed N]
#
# Without a choice all three flyers are compared: the sample flyer
# (samples/flyer.q_l), and the generated plain and large ones. Installs rsvg-convert
# and Inkscape from Debian when missing (Inkscape is large: it is installed here only,
# never by the build or the tests), builds the benchmark tools into build-bench, and
# prints the times and the ratios measured in this one run.
set -euo pipefail
cd "$(dirname "$0")/.."

FLYERS=()
DPI=300
RUNS=3
SEED=20261210
while [ $# -gt 0 ]; do
  case "$1" in
    --sample) FLYERS+=(sample) ;;
    --plain) FLYERS+=(plain) ;;
    --large) FLYERS+=(large) ;;
    --dpi) DPI=$2; shift ;;
    --runs) RUNS=$2; shift ;;
    --seed) SEED=$2; shift ;;
    *) echo "usage: bench/compare.sh [--sample | --plain | --large] [--dpi N] [--runs N] [--seed N]" >&2; exit 2 ;;
  esac
  shift
done
[ ${#FLYERS[@]} -gt 0 ] || FLYERS=(sample plain large)

scripts/install-packages.sh librsvg2-bin imagemagick time inkscape libbenchmark-dev

BUILD=${OLTRANE_BENCH_BUILD_DIR:-build-bench}
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DOLTRANE_BENCH=ON -DOLTRANE_TESTS=OFF >/dev/null
cmake --build "$BUILD" --target oltrane oltrane_make_flyer >/dev/null

WORK=$(mktemp -d /tmp/oltrane-compare-XXXXXX)
trap 'rm -rf "$WORK"' EXIT
# Every program runs with private settings and data folders.
export XDG_CONFIG_HOME="$WORK/config" XDG_DATA_HOME="$WORK/data" HOME="$WORK/home" QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

# "WALL CPU": the best wall time and the best processor time (user + system) of RUNS
# runs of the command, in seconds. On a shared machine the processor time is the steadier.
best() {
  local bw="" bc="" out
  for _ in $(seq "$RUNS"); do
    out=$(/usr/bin/time -f '%e %U %S' -o "$WORK/time" "$@" >/dev/null 2>&1 && cat "$WORK/time") \
      || { echo "failed: $*" >&2; exit 1; }
    read -r bw bc < <(awk -v o="$out" -v bw="$bw" -v bc="$bc" 'BEGIN {
      split(o, t, " "); w = t[1]; c = t[2] + t[3]
      if (bw == "" || w < bw) bw = w
      if (bc == "" || c < bc) bc = c
      print bw, bc }')
  done
  echo "$bw $bc"
}

echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
echo "Load average at the start: $(cut -d' ' -f1-3 /proc/loadavg)"
for flyer in "${FLYERS[@]}"; do
  doc="$WORK/$flyer.q_l"
  if [ "$flyer" = sample ]; then
    cp samples/flyer.q_l "$doc"
  else
    "$BUILD/bench/oltrane_make_flyer" "$doc" "--$flyer" --seed "$SEED"
  fi
  "$BUILD/oltrane" --export "$WORK/flyer.svg" "$doc"
  "$BUILD/oltrane" --export "$WORK/oltrane.png" --dpi "$DPI" "$doc"
  read -r W H < <(identify -format '%w %h\n' "$WORK/oltrane.png")

  t_oltrane=$(best "$BUILD/oltrane" --export "$WORK/oltrane.png" --dpi "$DPI" "$doc")
  t_rsvg=$(best rsvg-convert -w "$W" -h "$H" -o "$WORK/rsvg.png" "$WORK/flyer.svg")
  t_inkscape=$(best inkscape "$WORK/flyer.svg" --export-type=png --export-filename="$WORK/inkscape.png" \
    --export-width="$W" --export-height="$H")

  for f in rsvg inkscape; do
    read -r w h < <(identify -format '%w %h\n' "$WORK/$f.png")
    [ "$w $h" = "$W $H" ] || { echo "$f made a ${w}x${h} image instead of ${W}x${H}" >&2; exit 1; }
  done

  size_mb=$(awk -v b="$(stat -c %s "$doc")" 'BEGIN { printf "%.1f", b / 1e6 }')
  svg_mb=$(awk -v b="$(stat -c %s "$WORK/flyer.svg")" 'BEGIN { printf "%.1f", b / 1e6 }')
  echo
  echo "Flyer $flyer (seed $SEED): document $size_mb MB, SVG export $svg_mb MB; PNG ${W}x${H} (${DPI} dpi); best of $RUNS"
  # Targets: at least 3x the wall time of each, and 2x its processor time (per core).
  awk -v o="$t_oltrane" -v r="$t_rsvg" -v i="$t_inkscape" 'BEGIN {
    split(o, O, " "); split(r, R, " "); split(i, I, " ")
    printf "%-30s %9s %9s %9s %9s   %s\n", "", "wall s", "ratio", "cpu s", "ratio", "target 3x wall, 2x cpu"
    printf "%-30s %9.2f %9s %9.2f %9s\n", "oltrane --export (document)", O[1], "1.0", O[2], "1.0"
    row("rsvg-convert (Oltrane SVG)", R)
    row("inkscape (Oltrane SVG)", I)
  }
  function row(name, T) {
    printf "%-30s %9.2f %8.1fx %9.2f %8.1fx   %s\n", name, T[1], T[1] / O[1], T[2], T[2] / O[2],
      (T[1] / O[1] >= 3 && T[2] / O[2] >= 2 ? "met" : "NOT MET")
  }'
done
echo
echo "Load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
