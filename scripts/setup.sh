#!/usr/bin/env bash
# Installs what the build and the tests need (Debian 12), then configures and builds.
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(cmake ninja-build g++ pkg-config libgtest-dev libbenchmark-dev qt6-base-dev qt6-svg-dev
  liblhasa-dev libgif-dev xvfb xauth fonts-ipafont-gothic fonts-ipafont-mincho poppler-utils
  imagemagick lhasa jlha-utils librsvg2-bin emf2svg ccache zlib1g-dev pngcheck cups printer-driver-cups-pdf
  desktop-file-utils qt6-translations-l10n)
scripts/install-packages.sh "${PACKAGES[@]}"

BUILD=${OLTRANE_BUILD_DIR:-build}
EXTRA=()
[ "${CI:-}" = "true" ] && EXTRA+=(-DOLTRANE_WERROR=ON)
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${EXTRA[@]}" "$@" >/dev/null
cmake --build "$BUILD"
