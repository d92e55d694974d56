#!/usr/bin/env bash
# Builds the libFuzzer harnesses in fuzz/ with clang, ASan and UBSan against the core libraries
# (the sanitizer build of scripts/sanitizer-build.sh, with clang and only the harnesses' targets)
# and runs them, one after the other or FUZZ_PARALLEL at a time.
#
#   scripts/fuzz.sh [project|text|inp|background|recovery|dxf|dxfwriter|all] [seconds per fuzzer] [flags...]
#   scripts/fuzz.sh build                # only build
#   FUZZ_BUILD_DIR=/tmp/qen-fuzz scripts/fuzz.sh text 600
#   FUZZ_PARALLEL=2 scripts/fuzz.sh all 60
#
# The growing corpus lives in $FUZZ_BUILD_DIR/corpus/<name>, seeded from examples/, tests/data/ and
# tests/data/fuzz/ (minimised inputs of faults found before). Crashes, leaks and timeouts are written
# to $FUZZ_BUILD_DIR/artifacts/<name>/ (those of earlier runs move to artifacts-earlier/<name>/);
# replay one with the harness, e.g. `$FUZZ_BUILD_DIR/fuzz_inp_file FILE`.
# Needs clang 14 with the sanitizer runtimes (libclang-rt-14-dev). The recovery harness also links
# Qt 6 Core (not the GUI): the note of a copy is read with it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}
case $build in /*) ;; *) build=$root/$build ;; esac
what=${1:-all}
seconds=${2:-60}
shift $(( $# > 2 ? 2 : $# ))
parallel=${FUZZ_PARALLEL:-1}

# Harness name, its source and any further sources and flags it needs.
declare -A harness=([project]=fuzz_project_file [text]=fuzz_text_file [inp]=fuzz_inp_file
                    [background]=fuzz_background_image [recovery]=fuzz_recovery_copy
                    [dxf]=fuzz_dxf_file [dxfwriter]=fuzz_drawing_writer)
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root} CCACHE_NOHASHDIR=true
source "$root/scripts/sanitizer-build.sh"
QEN_FUZZ=1 qen_sanitizer_build "$build" "${harness[@]}"
[[ $what == build ]] && exit 0

# Each fuzzer runs in a folder of its own: -jobs=1 runs one worker in a child process that writes
# fuzz-0.log in the working directory. The report goes to $build/fuzz-<name>.out, shown in order.
run() {
    local name=$1 maxlen=$2
    shift 2
    local corpus=$build/corpus/$name artifacts=$build/artifacts/$name/ dir=$build/fuzz-run/$name
    mkdir -p "$corpus" "$artifacts" "$dir"
    # What an earlier run found was told then: kept aside, so that this run reports its own.
    if [[ -n $(ls -A "$artifacts") ]]; then
        mkdir -p "$build/artifacts-earlier/$name"
        mv -f "$artifacts"* "$build/artifacts-earlier/$name/"
    fi
    local seeds=()
    for d in "$@"; do [[ -d $d ]] && seeds+=("$d"); done
    {
        echo "== ${harness[$name]} for ${seconds}s (log: $build/fuzz-$name.log)"
        (cd "$dir" && nice -n 19 "$build/${harness[$name]}" "$corpus" "${seeds[@]}" -max_total_time="$seconds" \
            -rss_limit_mb=2048 -malloc_limit_mb=512 -timeout=10 -max_len="$maxlen" -jobs=1 \
            -dict="$root/fuzz/$name.dict" -artifact_prefix="$artifacts" -print_final_stats=1 \
            "${extra[@]}" >"$dir/parent.log" 2>&1 || true)
        # No worker log: the harness did not start; its own words say why.
        mv -f "$dir/fuzz-0.log" "$build/fuzz-$name.log" 2>/dev/null || cp "$dir/parent.log" "$build/fuzz-$name.log"
        tail -n 20 "$build/fuzz-$name.log"
        # A slow unit is no fault (a drawing whose blocks expand to a hundred thousand pipes takes
        # seconds under the sanitizers); crashes, leaks, timeouts and out-of-memory are.
        ls -1 "$artifacts" | grep -v '^slow-unit-' | sed "s|^|artifact: $artifacts|" || true
    } >"$build/fuzz-$name.out" 2>&1
}

# Starts run() in the background, keeping at most $parallel running.
started=()
start() {
    while [[ $(jobs -rp | wc -l) -ge $parallel ]]; do wait -n || true; done
    started+=("$1")
    run "$@" &
}

extra=("$@")
if [[ $what == project || $what == all ]]; then
    mkdir -p "$build/seeds/project"
    cp -f "$root"/examples/*.wnp "$root"/tests/data/project/*.wnp "$root"/tests/data/cli/hostile/*.wnp \
        "$build/seeds/project/" 2>/dev/null || true
    start project 65536 "$build/seeds/project" "$root/tests/data/fuzz/project"
fi
if [[ $what == text || $what == all ]]; then
    mkdir -p "$build/seeds/text"
    cp -f "$root"/examples/*.txt "$root"/tests/data/networks/*.txt "$root"/tests/data/cli/*.txt \
        "$root"/tests/data/cli/hostile/*.txt "$build/seeds/text/" 2>/dev/null || true
    start text 16384 "$build/seeds/text" "$root/tests/data/fuzz/text"
fi
if [[ $what == inp || $what == all ]]; then
    mkdir -p "$build/seeds/inp"
    cp -f "$root"/tests/data/networks/*.inp "$root"/tests/data/cli/*.inp "$root"/tests/data/cli/hostile/*.inp \
        "$build/seeds/inp/" 2>/dev/null || true
    start inp 65536 "$build/seeds/inp" "$root/tests/data/fuzz/inp"
fi
if [[ $what == background || $what == all ]]; then
    # Seeds: small BMP files of every bit count, compression and header the drawing reads.
    start background 65536 "$root/tests/data/fuzz/background"
fi
if [[ $what == recovery || $what == all ]]; then
    mkdir -p "$build/seeds/recovery"
    for f in "$root"/examples/*.wnp "$root"/tests/data/project/*.wnp; do
        [[ -f $f ]] && { printf '{"path":"/home/u/%s","title":"%s","version":65536}\n--\n' "${f##*/}" "${f##*/}";
                         cat "$f"; } >"$build/seeds/recovery/${f##*/}"
    done
    start recovery 65536 "$build/seeds/recovery" "$root/tests/data/fuzz/recovery"
fi
if [[ $what == dxf || $what == all ]]; then
    mkdir -p "$build/seeds/dxf"
    cp -f "$root"/tests/data/cad/*.dxf "$build/seeds/dxf/" 2>/dev/null || true
    start dxf 65536 "$build/seeds/dxf" "$root/tests/data/fuzz/dxf"
fi
if [[ $what == dxfwriter || $what == all ]]; then
    mkdir -p "$build/seeds/dxfwriter"
    cp -f "$root"/tests/data/cad/*.dxf "$build/seeds/dxfwriter/" 2>/dev/null || true
    rm -f "$build/seeds/dxfwriter/binary.dxf"
    start dxfwriter 262144 "$build/seeds/dxfwriter" "$root/tests/data/fuzz/dxfwriter"
fi
wait
for name in "${started[@]}"; do cat "$build/fuzz-$name.out"; done
