#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test: the format check, the normal build
# (warnings are errors), the core tests again under a comma-decimal locale, the core, CAD bridge
# and command-line tests in an AddressSanitizer + UndefinedBehaviorSanitizer build, and a short
# run of each fuzzer, two at a time.
#
#   QEN_BUILD_DIR=build        the normal build            QEN_ASAN_DIR=build-asan   the sanitizer build
#   QEN_FUZZ_SECONDS=60        per fuzzer, 0 to skip       QEN_SKIP_ASAN=1           no sanitizer build
#   QEN_DEBUG_INFO=-g          for the normal build; CI sets -g1 (line tables: a third less to compile)
# Extra arguments go to the first ctest run (e.g. -R cli_).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bash scripts/setup.sh
# Paths relative to the checkout in ccache's keys, so any clone hits what another one compiled.
export CCACHE_BASEDIR=$root CCACHE_NOHASHDIR=true
start=$SECONDS
stage() { echo "== $1 ($((SECONDS - start)) s so far)"; }

stage "format check"
bash scripts/check-format.sh

source scripts/build-dir.sh
build=$(qen_build_dir)
stage "build ($build)"
debug=${QEN_DEBUG_INFO:--g}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQEN_WERROR=${QEN_WERROR:-ON} \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 $debug -DNDEBUG" -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O2 $debug -DNDEBUG" >/dev/null
cmake --build "$build"
stage "tests"
(cd "$build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 "$@")

# Numbers must never be read or written through the locale: the core tests under de_DE (0,5).
locale=${QEN_TEST_LOCALE:-de_DE.UTF-8}
if locale -a 2>/dev/null | grep -qix "${locale/UTF-8/utf8}"; then
    stage "core tests under $locale"
    for dir in model persist edit hydraulics; do
        (cd "$build/tests/$dir" && QEN_TEST_LOCALE=$locale "./qen_${dir}_tests" --gtest_brief=1)
    done
else
    echo "locale $locale is missing: scripts/setup.sh generates it" >&2
    exit 1
fi

if [[ -z ${QEN_SKIP_ASAN:-} ]]; then
    asan=${QEN_ASAN_DIR:-build-asan}
    stage "AddressSanitizer + UndefinedBehaviorSanitizer build ($asan)"
    source scripts/sanitizer-build.sh
    qen_sanitizer_build "$asan"
    stage "tests under the sanitizers"
    (cd "$asan" && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
        ctest --output-on-failure -j2)
fi

seconds=${QEN_FUZZ_SECONDS:-60}
if [[ $seconds -gt 0 ]]; then
    stage "fuzzers, $seconds s each, two at a time"
    # A generous timeout: an input slower than that under ASan on a busy machine is not a hang.
    out=$(FUZZ_PARALLEL=2 bash scripts/fuzz.sh all "$seconds" -timeout=30 2>&1) ||
        { echo "$out"; exit 1; }
    echo "$out" | grep -E '^(==|Done |artifact:)' || true
    # A here-string, not a pipe: under pipefail an early-exiting grep -q could hide the finding.
    if grep -q '^artifact:' <<<"$out"; then
        echo "a fuzzer found a failing input (see the artifacts above)" >&2
        exit 1
    fi
fi
stage "done"
