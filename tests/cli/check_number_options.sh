#!/usr/bin/env bash
# Every numeric option of qen-cli and qen refuses NaN, infinities, empty text and values outside
# its range with exit status 1 and a message naming the option; values at the ends of the range
# get past the option check.
#   check_number_options.sh QEN_CLI QEN SOURCE_DIR OUT_DIR
set -u
cli=$1 qen=$2 src=$3 out=$4
town=$src/examples/town.wnp
inp=$src/tests/data/networks/Net1.inp
dxf=$src/tests/data/cad/tee.dxf
mkdir -p "$out"
source "$(dirname "${BASH_SOURCE[0]}")/expect.sh"

# option, a value outside its range, then the command before the option and after it.
check() {
    local option=$1 outside=$2
    shift 2
    local v
    for v in nan NaN inf -inf "" "1e999" "0x10" "1,5" "$outside"; do
        expect 1 "$option wants" "$@" "$option" "$v"
    done
}

check --hour -1 "$cli" import-inp "$inp" "$out/n.wnp"
check --hour 1000001 "$cli" import-inp "$inp" "$out/n.wnp"
check --total -1 "$cli" allocate "$town" --save "$out/a.wnp"
check --total 1e11 "$cli" allocate "$town" --unit m3/s --save "$out/a.wnp"
check --a -1 "$cli" cost "$town"
check --b 1e10 "$cli" cost "$town"
check --alpha 11 "$cli" cost "$town"
check --price -0.5 "$cli" cost "$town"
hanoi=$src/tests/data/networks/Hanoi.txt
size=("$cli" size "$hanoi" --diameters 300,400 --unit-costs 1,2 --save "$out/s.txt")
check --min-free-head 1e5 "${size[@]}"
check --max-velocity 0 "${size[@]}" --min-free-head 0
check --time-limit 0 "${size[@]}" --min-free-head 0
check --seed -1 "${size[@]}" --min-free-head 0
check --jobs 0 "${size[@]}" --min-free-head 0
# Lists take every item under the rule; "1,5" is a list there.
for v in nan inf "" 300,,400 300,-1 300,1e999 0x10; do
    expect 1 "--diameters wants" "$cli" size "$hanoi" --min-free-head 0 --unit-costs 1,2 --save "$out/s.txt" \
        --diameters "$v"
done
for v in 1,nan 1,-2 ""; do
    expect 1 "--unit-costs wants" "$cli" size "$hanoi" --min-free-head 0 --diameters 300,400 --save "$out/s.txt" \
        --unit-costs "$v"
done
check --accident-factor 1.5 "$cli" balance "$town"
check --precision 7 "$cli" balance "$town"
check --precision 1.5 "$cli" balance "$town"
check --max-iterations -2 "$cli" balance "$town"
check --min-pressure -2e6 "$cli" balance "$town" --demand-model pressure
check --required-pressure 2e6 "$cli" balance "$town" --demand-model pressure
check --pressure-exponent 0 "$cli" balance "$town" --demand-model pressure
for o in --residual-head --system-min-head; do
    check $o -1 "$cli" fireflow "$town"
done
check --required-flow 0 "$cli" fireflow "$town"
check --jobs 0 "$cli" fireflow "$town"
check --accident-factor 1.5 "$cli" criticality "$town"
check --min-free-head -1 "$cli" criticality "$town"
# The pressures of the pressure-driven law must rise from minimum to required: both are named.
expect 1 "--min-pressure (30 m) must be below --required-pressure (20 m)" "$cli" balance "$town" \
    --demand-model pressure --min-pressure 30 --required-pressure 20
expect 1 "--required-pressure" "$cli" balance "$town" --min-pressure 5 --required-pressure 5
check --tolerance -1 "$cli" import-dxf "$dxf" "$out/d.wnp"
check --scale-cad 0 "$cli" import-dxf "$dxf" "$out/d.wnp"
check --scale-qen 0.5 "$cli" import-dxf "$dxf" "$out/d.wnp"
for o in --scale-cad --scale-qen; do
    check $o 1e300 "$cli" export-dxf "$town" "$out/d.dxf"
done
for o in --node-size --device-size --label-size --arrow-size; do
    check $o 0 "$cli" export-dxf "$town" "$out/d.dxf"
done
check --interval 0 "$qen" --export-image "$town" "$out/q.png" --balance --contours head
check --size 0x10 "$qen" --export-image "$town" "$out/q.png"
check --size 20001x10 "$qen" --export-image "$town" "$out/q.png"
# Usage mistakes of qen end with 1, as qen-cli's do.
expect 1 "--contours wants head or free" "$qen" --export-image "$town" "$out/q.png" --balance --contours both
expect 1 "usage:" "$qen" --export-image "$town"
# A refused value is quoted as typed: a command line is UTF-8, not GBK.
expect 1 '"五米"' "$cli" balance "$town" --accident-factor 五米
expect 1 '"五x3"' "$qen" --export-image "$town" "$out/q.png" --size 五x3
# Checked in every mode of qen, and empty lists refused rather than taken as left out.
expect 1 "--language wants zh or en" "$qen" --export-image "$town" "$out/q.png" --language fr
expect 1 "--cases is empty" "$qen" --report "$town" "$out/r.xlsx" --cases ""

# The ends of each range pass the check (what follows may still fail for its own reasons).
expect 0 "" "$cli" import-inp "$inp" "$out/n.wnp" --hour 1e6
expect 0 "" "$cli" cost "$town" --a 0 --b 1e9 --alpha 10 --price 1e6
expect 0 "" "$cli" balance "$town" --accident-factor 1 --precision 6 --max-iterations -1
expect 0 "" "$cli" balance "$town" --demand-model pressure --min-pressure 0 --required-pressure 1e6
expect 0 "" "$cli" balance "$town" --demand-model pressure --min-pressure -1e6 --required-pressure 40 \
    --pressure-exponent 10
exit $failed
