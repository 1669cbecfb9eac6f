#!/usr/bin/env bash
# Installs what is missing, builds Hexvane and starts it on the bundled sample cube.
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$top/scripts/build.sh"
bin="$top/build/bin"
sample="$bin/Local Cubes/Sales.cub"
if [ -x "$bin/hexvane" ]; then
  exec "$bin/hexvane" "$sample" "$@"
elif [ -x "$bin/hexvane-cube" ] && [ -f "$sample" ]; then
  echo "The desktop program is not built yet; showing the sample cube with hexvane-cube info."
  exec "$bin/hexvane-cube" info "$sample"
else
  echo "Hexvane is built, but the sample cube $sample is missing."
  exit 1
fi
