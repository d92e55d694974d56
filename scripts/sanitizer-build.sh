# Sourced by test.sh and fuzz.sh: the one sanitizer build, clang with AddressSanitizer and
# UndefinedBehaviorSanitizer over the Qt-free code (core, qen-cli, the CAD bridge, their tests)
# and the libFuzzer harnesses against the same libraries, so the fuzzers cost no build of their own.
#
#   qen_sanitizer_build DIR [ninja targets...]       configure DIR if needed and build
qen_sanitizer_build() {
    local dir=$1
    shift
    local cc=${FUZZ_CC:-clang-14} cxx=${FUZZ_CXX:-clang++-14}
    command -v "$cxx" >/dev/null || { cc=clang; cxx=clang++; }
    # float-cast-overflow: a NaN cast to int once crashed the grid.
    local san="-fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=all -fno-omit-frame-pointer"
    cmake -S "$(dirname "${BASH_SOURCE[0]}")/.." -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_C_COMPILER="$cc" -DCMAKE_CXX_COMPILER="$cxx" -DQEN_WERROR="${QEN_WERROR:-ON}" \
        -DCMAKE_CXX_FLAGS="$san" -DCMAKE_C_FLAGS="$san" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
        -DQEN_BUILD_GUI=OFF -DQEN_BUILD_BENCH=OFF -DQEN_BUILD_FUZZERS=ON >/dev/null
    cmake --build "$dir" ${1:+--target "$@"}
}
