#!/usr/bin/env bash
# Sets everything up and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cd "${OLTRANE_BUILD_DIR:-build}"
ctest --output-on-failure -j2
