#!/usr/bin/env bash
# Sets everything up and starts Oltrane on the bundled sample flyer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
exec "${OLTRANE_BUILD_DIR:-build}/oltrane" "${1:-samples/flyer.q_l}"
