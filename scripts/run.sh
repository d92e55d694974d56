#!/usr/bin/env bash
# Sets up the machine, builds QEN and shows the bundled example network. With a display QEN opens
# it; without one the example is balanced with qen-cli (its summary printed) and drawn, balanced,
# into a PNG whose place is printed: nodes coloured by free head and pipes by velocity, with their key.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
source scripts/build-dir.sh
build=$(qen_build_dir)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build"
example=examples/town.txt
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  if [ -x "$build/app/qen" ]; then
    exec "$build/app/qen" "$example" "$@"
  fi
fi

"$build/cli/qen-cli" balance "$example"
if [ -x "$build/app/qen" ]; then
  picture=$build/town.png
  QT_QPA_PLATFORM=offscreen "$build/app/qen" --export-image "$example" "$picture" --balance --grades
  echo "No display: the balanced example network is drawn in $picture"
fi
