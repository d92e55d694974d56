#!/usr/bin/env bash
# Fails when a Qt header or type shows up in the core (model, persist, hydraulics) or the CAD bridge.
root=${1:-.}
dirs=()
for d in model persist hydraulics cadbridge; do [ -d "$root/$d" ] && dirs+=("$root/$d"); done
hits=$(grep -rnE '#[[:space:]]*include[[:space:]]*[<"]Q[A-Za-z]|\bQ(String|Object|Widget|Vector|List|Map|Byte|Variant|Settings|Painter|Point|Rect|Image|File|Dir|Debug)[A-Za-z]*\b|\bQ_[A-Z]+|\bqDebug\b' \
  --include='*.h' --include='*.hpp' --include='*.cpp' --include='*.txt' "${dirs[@]}" 2>/dev/null)
if [ -n "$hits" ]; then
  echo "Qt found in the core or the bridge:" >&2
  echo "$hits" >&2
  exit 1
fi
exit 0
