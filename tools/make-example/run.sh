#!/usr/bin/env bash
# Makes examples/club-day.qlg and its raw text with the project's own tools:
#   tools/make-example/run.sh BUILD_DIR
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$here/../.."
build="$(cd "${1:-$root/build}" && pwd)"
out="$root/examples"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cmake --build "$build" --target kubo-cli make-example >/dev/null
python3 "$here/flights.py" "$out/club-day.txt"
"$build/src/cli/kubo-cli" import "$out/club-day.txt" -o "$work/imported.qlg"
"$build/tools/make-example/make-example" "$work/imported.qlg" "$work/finished.qlg"
"$build/src/cli/kubo-cli" notes "$work/finished.qlg" --session 1 --set "$here/notes.txt" \
    -o "$out/club-day.qlg"
"$build/src/cli/kubo-cli" info "$out/club-day.qlg"
