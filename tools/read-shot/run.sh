#!/usr/bin/env bash
# Pictures the main window reading from kubo-cli send over a pseudo-terminal cable.
# Usage: tools/read-shot/run.sh BUILD_DIR [OUT_DIR]   (OUT_DIR defaults to docs/images)
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "${1:?build directory}" && pwd)
out=${2:-$root/docs/images}
work=$(mktemp -d)
trap 'kill "${cable_pid:-}" 2>/dev/null || true; rm -rf "$work"' EXIT

python3 "$here/demo-flights.py" "$work/flights.txt"
"$root/scripts/pty-cable" > "$work/cable" &
cable_pid=$!
for _ in $(seq 50); do [ -s "$work/cable" ] && break; sleep 0.1; done
read -r device_end program_end < "$work/cable"

export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
"$build/tools/read-shot/read-shot" --port "$program_end" "$out/main-window.png" \
    "$out/read-data.png" &
shot_pid=$!
sleep 1
"$build/src/cli/kubo-cli" send --port "$device_end" "$work/flights.txt"
wait "$shot_pid"
