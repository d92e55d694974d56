#!/usr/bin/env bash
# Sets up the machine, builds QEN and opens the bundled example network in it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
build=${QEN_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build"
example=examples/town.txt
if [ -x "$build/app/qen" ]; then
  if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display: starting QEN under xvfb-run" >&2
    exec xvfb-run -a "$build/app/qen" "$example" "$@"
  fi
  exec "$build/app/qen" "$example" "$@"
fi
"$build/cli/qen-cli" info "$example"
