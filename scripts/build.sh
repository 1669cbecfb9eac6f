#!/usr/bin/env bash
# Installs what is missing, then configures and builds Hexvane into build/ (binaries in build/bin/).
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$top/scripts/install-deps.sh"
cmake -S "$top" -B "$top/build" -G Ninja -DCMAKE_BUILD_TYPE="${HEXVANE_BUILD_TYPE:-RelWithDebInfo}" >/dev/null
cmake --build "$top/build" --parallel "$(nproc)"
