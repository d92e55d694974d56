#!/usr/bin/env bash
# scripts/run.sh without a display, with QEN_BUILD_DIR unset, relative and absolute: a copy of the
# scripts runs in a scratch checkout whose cmake, qen-cli and qen are stubs (nothing is built), and
# the picture must land in the build folder with the run ending in success.
set -euo pipefail
src=${1:?usage: test_run_paths.sh SOURCE_DIR}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

tree=$scratch/checkout
mkdir -p "$tree/scripts" "$tree/examples" "$scratch/bin"
cp "$src"/scripts/*.sh "$tree/scripts/"
printf '#!/usr/bin/env bash\n' >"$tree/scripts/setup.sh"
: >"$tree/examples/town.txt"

# cmake -S . -B DIR configures; cmake --build DIR leaves the two programs in DIR.
cat >"$scratch/bin/cmake" <<'STUB'
#!/usr/bin/env bash
if [ "$1" = --build ]; then
  mkdir -p "$2/cli" "$2/app"
  printf '#!/usr/bin/env bash\necho balanced\n' >"$2/cli/qen-cli"
  # The picture is written where asked; a folder that does not exist fails as qen does.
  printf '#!/usr/bin/env bash\nprintf "%%s\\n" "$*" >"$0.args"\n: >"$3" 2>/dev/null || { echo "cannot write $3" >&2; exit 1; }\n' >"$2/app/qen"
  chmod +x "$2/cli/qen-cli" "$2/app/qen"
fi
exit 0
STUB
chmod +x "$scratch/bin/cmake"

run() {   # run.sh with QEN_BUILD_DIR=$1 (empty: unset); the build folder it must use is $2
  local want=$2 out
  rm -rf "$want"
  if ! out=$(cd "$scratch" && env -u DISPLAY -u WAYLAND_DISPLAY PATH="$scratch/bin:$PATH" \
             ${1:+QEN_BUILD_DIR=$1} bash "$tree/scripts/run.sh" 2>&1); then
    fail "QEN_BUILD_DIR='$1': run.sh failed: $out"
  fi
  [ -f "$want/town.png" ] || fail "QEN_BUILD_DIR='$1': no picture in $want ($out)"
  echo "$out" | grep -qF "drawn in $want/town.png" || fail "QEN_BUILD_DIR='$1': wrong place named: $out"
  # The picture shows the balance as an engineer reads it: grade colours and their key.
  grep -q -- '--balance --grades' "$want/app/qen.args" || fail "the picture is drawn without --grades"
}

run "" "$tree/build"
run "out/rel" "$tree/out/rel"
run "$scratch/abs/build" "$scratch/abs/build"
run "$scratch/abs/slash/" "$scratch/abs/slash"

# test.sh takes its build folder the same way.
(cd "$tree" && source scripts/build-dir.sh && [ "$(QEN_BUILD_DIR=x qen_build_dir)" = "$tree/x" ] &&
 [ "$(QEN_BUILD_DIR=/y/z qen_build_dir)" = /y/z ]) || fail "build-dir.sh"
grep -q 'qen_build_dir' "$tree/scripts/test.sh" || fail "test.sh does not take its folder through build-dir.sh"
echo "ok"
