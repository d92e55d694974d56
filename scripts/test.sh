#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test: the normal build (warnings are
# errors), the core tests again under a comma-decimal locale, the core and command-line tests in
# an AddressSanitizer + UndefinedBehaviorSanitizer build, and a short run of each fuzzer.
#
#   QEN_BUILD_DIR=build        the normal build            QEN_ASAN_DIR=build-asan   the sanitizer build
#   QEN_FUZZ_SECONDS=60        per fuzzer, 0 to skip       QEN_SKIP_ASAN=1           no sanitizer build
# Extra arguments go to the first ctest run (e.g. -R cli_).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bash scripts/setup.sh
# Paths relative to the checkout in ccache's keys, so any clone hits what another one compiled.
export CCACHE_BASEDIR=$root CCACHE_NOHASHDIR=true
start=$SECONDS
stage() { echo "== $1 ($((SECONDS - start)) s so far)"; }

source scripts/build-dir.sh
build=$(qen_build_dir)
stage "build ($build)"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQEN_WERROR=${QEN_WERROR:-ON} >/dev/null
cmake --build "$build"
stage "tests"
(cd "$build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 "$@")

# Numbers must never be read or written through the locale: the core tests under de_DE (0,5).
locale=${QEN_TEST_LOCALE:-de_DE.UTF-8}
if locale -a 2>/dev/null | grep -qix "${locale/UTF-8/utf8}"; then
    stage "core tests under $locale"
    for t in model persist hydraulics; do
        exe="$build/tests/$t/qen_${t}_tests"
        [[ -x $exe ]] || continue
        (cd "$build/tests/$t" && QEN_TEST_LOCALE=$locale "./qen_${t}_tests" --gtest_brief=1)
    done
else
    echo "locale $locale is missing: scripts/setup.sh generates it" >&2
    exit 1
fi

if [[ -z ${QEN_SKIP_ASAN:-} ]]; then
    asan=${QEN_ASAN_DIR:-build-asan}
    stage "AddressSanitizer + UndefinedBehaviorSanitizer build ($asan)"
    # float-cast-overflow is not part of GCC's "undefined"; a NaN cast to int once crashed the grid.
    san="-fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=all -fno-omit-frame-pointer"
    cmake -S . -B "$asan" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQEN_WERROR=${QEN_WERROR:-ON} \
        -DCMAKE_CXX_FLAGS="$san" -DCMAKE_C_FLAGS="$san" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
        -DQEN_BUILD_GUI=OFF -DQEN_BUILD_BENCH=OFF >/dev/null
    cmake --build "$asan"
    stage "tests under the sanitizers"
    (cd "$asan" && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
        ctest --output-on-failure -j2)
fi

seconds=${QEN_FUZZ_SECONDS:-60}
if [[ $seconds -gt 0 ]]; then
    stage "fuzzers, $seconds s each"
    # A generous timeout: an input slower than that under ASan on a busy machine is not a hang.
    out=$(bash scripts/fuzz.sh all "$seconds" -timeout=30 2>&1) || { echo "$out"; exit 1; }
    echo "$out" | grep -E '^(==|Done |artifact:)' || true
    # A here-string, not a pipe: under pipefail an early-exiting grep -q could hide the finding.
    if grep -q '^artifact:' <<<"$out"; then
        echo "a fuzzer found a failing input (see the artifacts above)" >&2
        exit 1
    fi
fi
stage "done"
