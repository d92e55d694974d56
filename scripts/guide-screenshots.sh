#!/usr/bin/env bash
# Makes the user guide's pictures (docs/guide/images) with the tests' screenshot mode, so that they
# follow the program. Builds the test programs, runs the tests that take the pictures under a
# virtual display, and copies the ones the guide shows.
#   bash scripts/guide-screenshots.sh        (QEN_BUILD_DIR as for run.sh, default build/)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QEN_BUILD_DIR:-build}
[[ $build = /* ]] || build=$root/$build
export CCACHE_BASEDIR=$root CCACHE_NOHASHDIR=true

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j2 --target qen_app_tests qen_cad_tests

shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
export QEN_SCREENSHOT_DIR=$shots
run() {   # run PROGRAM TEST: its pictures land in $shots; a failing test stops the script
  echo "guide-screenshots: $2" >&2
  xvfb-run -a -s "-screen 0 1280x1024x24" "$build/tests/$1" "$2" >/dev/null
}
run app/qen_app_tests test_BalanceCommand
run app/qen_app_tests test_EditingScenario
run app/qen_app_tests test_CNodePropertyDlg
run app/qen_app_tests test_CValvePropertyDlg
run app/qen_app_tests test_CPumpPropertyDlg
run app/qen_app_tests test_CCalcCommands
run app/qen_app_tests test_COptionSheet
run app/qen_app_tests test_StaleResults
run app/qen_app_tests test_EpanetCommands
run app/qen_app_tests test_HelpWindow
run app/qen_app_tests test_Language
run cad/qen_cad_tests test_CCadImportCommand
run cad/qen_cad_tests test_CCadExportCommand

# The pictures the guide shows (docs/guide/*/*.md link them as ../images/NAME.png).
pictures=(
  main-town-balanced dialog-balance-params report-balance-low-heads scenario-2-drawn node_mode0 valve_prv
  pump_points dialog-contours main-contours dialog-node-flow dialog-net-cost dialog-calculator
  options_7 units-table-m3h main-epanet-import import-dialog export-dialog help-window help-window-en
  main-english
)
out=$root/docs/guide/images
mkdir -p "$out"
for p in "${pictures[@]}"; do
  if [ ! -f "$shots/$p.png" ]; then
    echo "guide-screenshots: no picture $p.png from the tests" >&2
    exit 1
  fi
  cp "$shots/$p.png" "$out/$p.png"
done
echo "guide-screenshots: ${#pictures[@]} pictures in $out" >&2
