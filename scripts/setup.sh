#!/usr/bin/env bash
# Installs what Quillon needs on Debian (when anything is missing) and builds
# it into ./build. Used by run.sh and test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(
    cmake g++ make pkg-config
    qtbase5-dev qtbase5-dev-tools qtdeclarative5-dev libqt5sql5-sqlite
    qttools5-dev qttools5-dev-tools
    yt-dlp ffmpeg
    tinyproxy microsocks gpgv gpg gpg-agent
    xvfb xauth imagemagick fonts-noto-cjk fonts-dejavu-core python3 python3-pil
    dbus-daemon openssl
    dpkg-dev file desktop-file-utils appstream
)

missing=()
for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO="sudo"
    echo "Installing: ${missing[*]}"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON
cmake --build build -j"$(nproc)"

# A real Deno for the tests of the JavaScript runtime, when npm is there and
# can fetch it (they use a Node 20 or later otherwise, or say why they skip).
if command -v npm >/dev/null && [ ! -x build/tools/node_modules/.bin/deno ]; then
    timeout 300 npm install --no-audit --no-fund --prefix build/tools deno >/dev/null 2>&1 \
        || echo "No Deno for the tests: npm could not fetch it."
fi
