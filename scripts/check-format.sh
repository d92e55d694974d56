#!/usr/bin/env bash
# Checks that every tracked C++ file is laid out as .clang-format says; names each file that is
# not, with its first differing line. Fix one with `clang-format -i FILE`.
#
#   scripts/check-format.sh [checkout]        (default: the checkout this script is in)
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"
format=${CLANG_FORMAT:-clang-format}
command -v "$format" >/dev/null || { echo "check-format: $format is missing (scripts/setup.sh installs it)" >&2; exit 2; }

mapfile -d '' files < <(git ls-files -z -- '*.cpp' '*.h' '*.hpp' '*.cc' '*.cxx')
[[ ${#files[@]} -gt 0 ]] || { echo "check-format: no tracked C++ files in $root" >&2; exit 2; }
# --dry-run -Werror reports every place that would change; one line per file is enough here.
out=$(printf '%s\0' "${files[@]}" | xargs -0 "$format" --dry-run -Werror --ferror-limit=1 2>&1) && exit 0
bad=$(grep -oE '^[^:]+:[0-9]+:[0-9]+: error' <<<"$out" | sed 's/: error$//' | sort -u -t: -k1,1)
if [[ -z $bad ]]; then
    echo "$out" >&2
    exit 2
fi
echo "$bad" | sed 's/^/not formatted: /' >&2
echo "check-format: $(wc -l <<<"$bad") of ${#files[@]} C++ files differ from .clang-format" >&2
exit 1
