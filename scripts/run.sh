#!/usr/bin/env bash
# Sets up, builds and starts Quillon.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cd build
exec ./quillon "$@"
