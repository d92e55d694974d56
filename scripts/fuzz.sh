#!/usr/bin/env bash
# Builds the libFuzzer harnesses in fuzz/ with clang, ASan and UBSan against the core sources, in
# a build directory of their own, and runs them one after the other (never in parallel).
#
#   scripts/fuzz.sh [project|text|dxf|dxfwriter|all] [seconds per fuzzer] [extra libFuzzer flags...]
#   scripts/fuzz.sh build                # only build
#   FUZZ_BUILD_DIR=/tmp/qen-fuzz scripts/fuzz.sh text 600
#
# The growing corpus lives in $FUZZ_BUILD_DIR/corpus/<name>, seeded from examples/, tests/data/ and
# tests/data/fuzz/ (minimised inputs of faults found before). Crashes, leaks and timeouts are written
# to $FUZZ_BUILD_DIR/artifacts/<name>/; replay one with `$FUZZ_BUILD_DIR/fuzz_<name>_file FILE`.
# Needs clang 14 with the sanitizer runtimes (libclang-rt-14-dev); not part of the normal build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}
what=${1:-all}
seconds=${2:-60}
shift $(( $# > 2 ? 2 : $# ))
cc=${FUZZ_CC:-clang-14}
cxx=${FUZZ_CXX:-clang++-14}
command -v "$cxx" >/dev/null || { cc=clang; cxx=clang++; }

san="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
export CCACHE_NOHASHDIR=true
cmake -S "$root" -B "$build/core" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER="$cc" -DCMAKE_CXX_COMPILER="$cxx" \
    -DCMAKE_CXX_FLAGS="$san -fsanitize=fuzzer-no-link" \
    -DQEN_BUILD_GUI=OFF -DQEN_BUILD_TESTS=OFF -DQEN_BUILD_BENCH=OFF >/dev/null
cmake --build "$build/core" --target qen_persist qen_model mertun_internal -j2

for name in project text; do
    src="$root/fuzz/fuzz_${name}_file.cpp"
    exe="$build/fuzz_${name}_file"
    if [[ ! -x $exe || $src -nt $exe || $root/fuzz/FuzzChecks.h -nt $exe || $build/core/persist/libqen_persist.a -nt $exe ||
          $build/core/model/libqen_model.a -nt $exe ]]; then
        "$cxx" -std=c++20 -g -O1 $san -fsanitize=fuzzer -I"$root" -I"$root/tests/common" "$src" \
            "$root/tests/common/Continuity.cpp" "$root/tests/common/FormatRoundTrip.cpp" \
            "$build/core/persist/libqen_persist.a" "$build/core/model/libqen_model.a" -o "$exe"
    fi
done
# The DXF reader: the CAD bridge's reading side and the import into a network.
src="$root/fuzz/fuzz_dxf_file.cpp"
exe="$build/fuzz_dxf_file"
if [[ ! -x $exe || $src -nt $exe || $root/fuzz/FuzzChecks.h -nt $exe || $build/core/persist/libqen_persist.a -nt $exe ||
      $build/core/cadbridge/libmertun_internal.a -nt $exe ]]; then
    "$cxx" -std=c++20 -g -O1 $san -fsanitize=fuzzer -I"$root" -I"$root/tests/common" "$src" \
        "$root/tests/common/Continuity.cpp" "$build/core/persist/libqen_persist.a" \
        "$build/core/cadbridge/libmertun_internal.a" "$build/core/model/libqen_model.a" -ldxflib -o "$exe"
fi
# The drawing writer of the CAD bridge: its own sources and dxflib, nothing of the core.
exe="$build/fuzz_drawing_writer"
if [[ ! -x $exe || -n $(find "$root/cadbridge" "$root/fuzz/fuzz_drawing_writer.cpp" "$root/fuzz/DxfWriterCheck.h" \
        -newer "$exe" -print -quit) ]]; then
    "$cxx" -std=c++20 -g -O1 $san -fsanitize=fuzzer -I"$root" -I"$root/fuzz" "$root/fuzz/fuzz_drawing_writer.cpp" \
        "$root"/cadbridge/*.cpp -ldxflib -o "$exe"
fi
[[ $what == build ]] && exit 0

run() {
    local name=$1 maxlen=$2
    shift 2
    local exe=${FUZZ_EXE:-fuzz_${name}_file}
    local corpus=$build/corpus/$name artifacts=$build/artifacts/$name/
    mkdir -p "$corpus" "$artifacts"
    local seeds=()
    for d in "$@"; do [[ -d $d ]] && seeds+=("$d"); done
    echo "== $exe for ${seconds}s (log: $build/fuzz-$name.log)"
    # -jobs=1 runs one worker in a child process that writes fuzz-0.log in the working directory.
    (cd "$build" && nice -n 19 "./$exe" "$corpus" "${seeds[@]}" -max_total_time="$seconds" \
        -rss_limit_mb=2048 -malloc_limit_mb=512 -timeout=10 -max_len="$maxlen" -jobs=1 \
        -dict="$root/fuzz/$name.dict" -artifact_prefix="$artifacts" -print_final_stats=1 \
        "${extra[@]}" || true)
    mv -f "$build/fuzz-0.log" "$build/fuzz-$name.log"
    tail -n 20 "$build/fuzz-$name.log"
    ls -1 "$artifacts" | sed "s|^|artifact: $artifacts|"
}

extra=("$@")
if [[ $what == project || $what == all ]]; then
    mkdir -p "$build/seeds/project"
    cp -f "$root"/examples/*.wnp "$root"/tests/data/project/*.wnp "$root"/tests/data/cli/hostile/*.wnp \
        "$build/seeds/project/" 2>/dev/null || true
    run project 65536 "$build/seeds/project" "$root/tests/data/fuzz/project"
fi
if [[ $what == text || $what == all ]]; then
    mkdir -p "$build/seeds/text"
    cp -f "$root"/examples/*.txt "$root"/tests/data/networks/*.txt "$root"/tests/data/cli/*.txt \
        "$root"/tests/data/cli/hostile/*.txt "$build/seeds/text/" 2>/dev/null || true
    run text 16384 "$build/seeds/text" "$root/tests/data/fuzz/text"
fi
if [[ $what == dxf || $what == all ]]; then
    mkdir -p "$build/seeds/dxf"
    cp -f "$root"/tests/data/cad/*.dxf "$build/seeds/dxf/" 2>/dev/null || true
    run dxf 65536 "$build/seeds/dxf" "$root/tests/data/fuzz/dxf"
fi
if [[ $what == dxfwriter || $what == all ]]; then
    mkdir -p "$build/seeds/dxfwriter"
    cp -f "$root"/tests/data/cad/*.dxf "$build/seeds/dxfwriter/" 2>/dev/null || true
    rm -f "$build/seeds/dxfwriter/binary.dxf"
    FUZZ_EXE=fuzz_drawing_writer run dxfwriter 262144 "$build/seeds/dxfwriter" "$root/tests/data/fuzz/dxfwriter"
fi
