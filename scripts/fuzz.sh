#!/usr/bin/env bash
# Builds the libFuzzer harnesses in fuzz/ with clang, ASan and UBSan against the core sources, in
# a build directory of their own, and runs them one after the other (never in parallel).
#
#   scripts/fuzz.sh [project|text|inp|background|recovery|dxf|dxfwriter|all] [seconds per fuzzer] [flags...]
#   scripts/fuzz.sh build                # only build
#   FUZZ_BUILD_DIR=/tmp/qen-fuzz scripts/fuzz.sh text 600
#
# The growing corpus lives in $FUZZ_BUILD_DIR/corpus/<name>, seeded from examples/, tests/data/ and
# tests/data/fuzz/ (minimised inputs of faults found before). Crashes, leaks and timeouts are written
# to $FUZZ_BUILD_DIR/artifacts/<name>/; replay one with the harness, e.g. `$FUZZ_BUILD_DIR/fuzz_inp_file FILE`.
# Needs clang 14 with the sanitizer runtimes (libclang-rt-14-dev); not part of the normal build. The
# recovery harness also links Qt 6 Core (not the GUI): the note of a copy is read with it.
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
cmake --build "$build/core" --target qen_persist qen_edit qen_model mertun_internal -j2

# Harness name, its source and any further sources and flags it needs.
declare -A harness=([project]=fuzz_project_file [text]=fuzz_text_file [inp]=fuzz_inp_file
                    [background]=fuzz_background_image [recovery]=fuzz_recovery_copy
                    [dxf]=fuzz_dxf_file [dxfwriter]=fuzz_drawing_writer)
for name in project text inp background recovery; do
    exe="$build/${harness[$name]}"
    src="$root/fuzz/${harness[$name]}.cpp"
    more=()
    if [[ $name == recovery ]]; then
        # shellcheck disable=SC2207
        more=("$root/app/commands/CRecoveryStore.cpp" -fPIC $(pkg-config --cflags --libs Qt6Core))
    fi
    if [[ ! -x $exe || $src -nt $exe || $root/fuzz/FuzzChecks.h -nt $exe || $build/core/persist/libqen_persist.a -nt $exe ||
          $build/core/model/libqen_model.a -nt $exe || ($name == recovery && $root/app/commands/CRecoveryStore.cpp -nt $exe) ]]; then
        "$cxx" -std=c++20 -g -O1 $san -fsanitize=fuzzer -I"$root" -I"$root/tests/common" "$src" \
            "$root/tests/common/Continuity.cpp" "$root/tests/common/FormatRoundTrip.cpp" "${more[@]}" \
            "$build/core/persist/libqen_persist.a" "$build/core/model/libqen_model.a" -o "$exe"
    fi
done
# The DXF reader: the CAD bridge's reading side and the import into a network.
src="$root/fuzz/fuzz_dxf_file.cpp"
exe="$build/fuzz_dxf_file"
if [[ ! -x $exe || $src -nt $exe || $root/fuzz/FuzzChecks.h -nt $exe || $build/core/edit/libqen_edit.a -nt $exe ||
      $build/core/cadbridge/libmertun_internal.a -nt $exe ]]; then
    "$cxx" -std=c++20 -g -O1 $san -fsanitize=fuzzer -I"$root" -I"$root/tests/common" "$src" \
        "$root/tests/common/Continuity.cpp" "$build/core/edit/libqen_edit.a" \
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
    local corpus=$build/corpus/$name artifacts=$build/artifacts/$name/
    mkdir -p "$corpus" "$artifacts"
    local seeds=()
    for d in "$@"; do [[ -d $d ]] && seeds+=("$d"); done
    echo "== ${harness[$name]} for ${seconds}s (log: $build/fuzz-$name.log)"
    # -jobs=1 runs one worker in a child process that writes fuzz-0.log in the working directory.
    (cd "$build" && nice -n 19 "./${harness[$name]}" "$corpus" "${seeds[@]}" -max_total_time="$seconds" \
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
if [[ $what == inp || $what == all ]]; then
    mkdir -p "$build/seeds/inp"
    cp -f "$root"/tests/data/networks/*.inp "$root"/tests/data/cli/*.inp "$root"/tests/data/cli/hostile/*.inp \
        "$build/seeds/inp/" 2>/dev/null || true
    run inp 65536 "$build/seeds/inp" "$root/tests/data/fuzz/inp"
fi
if [[ $what == background || $what == all ]]; then
    # Seeds: small BMP files of every bit count, compression and header the drawing reads.
    run background 65536 "$root/tests/data/fuzz/background"
fi
if [[ $what == recovery || $what == all ]]; then
    mkdir -p "$build/seeds/recovery"
    for f in "$root"/examples/*.wnp "$root"/tests/data/project/*.wnp; do
        [[ -f $f ]] && { printf '{"path":"/home/u/%s","title":"%s","version":65536}\n--\n' "${f##*/}" "${f##*/}";
                         cat "$f"; } >"$build/seeds/recovery/${f##*/}"
    done
    run recovery 65536 "$build/seeds/recovery" "$root/tests/data/fuzz/recovery"
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
    run dxfwriter 262144 "$build/seeds/dxfwriter" "$root/tests/data/fuzz/dxfwriter"
fi
