#!/usr/bin/env bash
# Pictures of every main page and service tab, in English and in Chinese, for
# looking at the window as a user sees it. Writes PNGs to the folder given
# (default /tmp/quillon-screenshots), outside the repository.
#   bash scripts/screenshots.sh [output-folder]
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-/tmp/quillon-screenshots}"
mkdir -p "$out"
out="$(cd "$out" && pwd)"

cmake -S . -B build -DBUILD_TESTING=ON >/dev/null
cmake --build build -j2 --target quillon_screenshots quillon_translations >/dev/null

# A home of its own: the first start, nothing stored.
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
cd build
run=(env HOME="$home" XDG_DATA_HOME="$home/.local/share" XDG_CONFIG_HOME="$home/.config"
     XDG_CACHE_HOME="$home/.cache")
if command -v xvfb-run >/dev/null; then
    "${run[@]}" QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x800x24" ./quillon_screenshots "$out"
else
    "${run[@]}" QT_QPA_PLATFORM=offscreen ./quillon_screenshots "$out"
fi
echo "Screenshots in $out"
