#!/usr/bin/env bash
# Starts hexvane-server on 127.0.0.1 (a free port) over a temporary folder holding a copy of the
# sample cube, runs xmla_load_bench against it with the arguments given, and stops the server.
#   bench/run_xmla_load.sh                          # statements: 8 clients, 4000 statements
#   bench/run_xmla_load.sh --mode catalogs          # the HTTP and XML round trip alone
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR:-$top/build}"
root="$(mktemp -d)"
log="$(mktemp)"
out="$(mktemp)"
cleanup() {
  [ -n "${server:-}" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null || true
  rm -rf "$root" "$log" "$out"
}
trap cleanup EXIT
cube="$build/bin/Local Cubes/Sales.cub"
if [ -f "$cube" ]; then
  cp "$cube" "$root/Sales.cub"
else
  echo "note: $cube is not built; only --mode catalogs can run" >&2
  : > "$root/Sales.cub"
fi
"$build/bin/hexvane-server" --root "$root" --listen 127.0.0.1:0 >"$out" 2>"$log" &
server=$!
for _ in $(seq 50); do
  grep -q '/xmla' "$out" && break
  sleep 0.1
done
address="$(grep -o 'http://[^ ]*/xmla' "$out")"
"$build/bench/xmla_load_bench" --server "$address" \
  --statements "$top/bench/xmla_load_statements.txt" "$@"
echo "server log: $(wc -l <"$log") lines, $(grep -c ' 200 ' "$log" || true) answered with 200"
