#!/bin/sh
# Whole-process export timings of the sample flyer, plain and with an access map of
# N extra road, railway and river objects (default 500).
# Usage: bench/flyer_map_export.sh [OLTRANE] [N]
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
prog=${1:-"$here/build/oltrane"}
n=${2:-500}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
python3 "$here/samples/make_flyer.py" "$tmp/plain.q_l"
python3 "$here/samples/make_flyer.py" "$tmp/map.q_l" --map-objects "$n"
run() {
    # best of three, in seconds
    best=""
    for _ in 1 2 3; do
        s=$(date +%s.%N)
        "$prog" --export "$tmp/out.$3" --dpi "$2" "$1" >/dev/null
        e=$(date +%s.%N)
        t=$(echo "$e - $s" | bc)
        if [ -z "$best" ] || [ "$(echo "$t < $best" | bc)" = 1 ]; then best=$t; fi
    done
    printf '%-28s %4s dpi %-4s %6.3f s\n' "$(basename "$1")" "$2" "$3" "$best"
}
for f in "$tmp/plain.q_l" "$tmp/map.q_l"; do
    run "$f" 150 png
    run "$f" 300 png
    run "$f" 600 pdf
done
