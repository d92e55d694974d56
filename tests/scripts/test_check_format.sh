#!/usr/bin/env bash
# scripts/check-format.sh on a scratch checkout with the project's .clang-format: passes on laid
# out files, fails naming each tracked C++ file that is not (headers too), and leaves alone what
# git does not track and what is not C++.
set -euo pipefail
src=${1:?usage: test_check_format.sh SOURCE_DIR}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

tree=$scratch/checkout
mkdir -p "$tree/scripts" "$tree/model"
cp "$src/scripts/check-format.sh" "$tree/scripts/"
cp "$src/.clang-format" "$tree/"
git -C "$tree" init -q
printf 'int Half(int x)\n{\n    return x / 2;\n}\n' >"$tree/model/Good.cpp"
printf 'int   squashed ( int x ) { return x; }\n' >"$tree/model/Untracked.cpp"
printf 'not   C++ ( at all )\n' >"$tree/model/notes.txt"
git -C "$tree" add model/Good.cpp model/notes.txt
bash "$tree/scripts/check-format.sh" >"$scratch/out" 2>&1 || fail "laid out files refused: $(cat "$scratch/out")"

printf 'struct  Bad{int x;};\n' >"$tree/model/Bad.h"
printf 'int Twice(int x)\n{\n    return x*2;\n}\n' >"$tree/model/Twice.cpp"
git -C "$tree" add model/Bad.h model/Twice.cpp
status=0
bash "$tree/scripts/check-format.sh" >"$scratch/out" 2>&1 || status=$?
[[ $status -eq 1 ]] || fail "exit status $status, not 1: $(cat "$scratch/out")"
grep -q '^not formatted: model/Bad.h:1:' "$scratch/out" || fail "Bad.h not named: $(cat "$scratch/out")"
grep -q '^not formatted: model/Twice.cpp:3:' "$scratch/out" || fail "Twice.cpp not named: $(cat "$scratch/out")"
grep -q 'Good.cpp\|Untracked.cpp\|notes.txt' "$scratch/out" && fail "named a good, untracked or non-C++ file"
grep -q '2 of 3 C++ files differ' "$scratch/out" || fail "no count: $(cat "$scratch/out")"
echo "check-format: passes laid out files, names the others"
