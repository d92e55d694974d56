# Sourced by test.sh and fuzz.sh: a build with AddressSanitizer and UndefinedBehaviorSanitizer of
# the Qt-free code only (core, qen-cli, the CAD bridge, their tests; no GUI, no benchmarks).
#
#   qen_sanitizer_build DIR [ninja targets...]       GCC: the tree the tests run in (test.sh)
#   QEN_FUZZ=1 qen_sanitizer_build DIR [targets...]  clang with the libFuzzer harnesses (fuzz.sh)
#
# The tests stay on GCC: under clang 14 the balancing results of the hydraulics tests differ
# (Net1 heads by metres), which is to be understood before the two trees can be one.
qen_sanitizer_build() {
    local dir=$1
    shift
    # float-cast-overflow: a NaN cast to int once crashed the grid.
    local san="-fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=all -fno-omit-frame-pointer"
    local compilers=() more=()
    if [[ -n ${QEN_FUZZ:-} ]]; then
        local cc=${FUZZ_CC:-clang-14} cxx=${FUZZ_CXX:-clang++-14}
        command -v "$cxx" >/dev/null || { cc=clang; cxx=clang++; }
        compilers=(-DCMAKE_C_COMPILER="$cc" -DCMAKE_CXX_COMPILER="$cxx")
        more=(-DQEN_BUILD_FUZZERS=ON)
    fi
    # -O1 and line tables only: the sanitizers' reports keep their file and line, and the tree
    # compiles in about two thirds of the time (the test command runs it on a clean machine).
    cmake -S "$(dirname "${BASH_SOURCE[0]}")/.." -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" \
        "${compilers[@]}" -DQEN_WERROR="${QEN_WERROR:-ON}" "${more[@]}" \
        -DCMAKE_CXX_FLAGS="$san" -DCMAKE_C_FLAGS="$san" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
        -DQEN_BUILD_GUI=OFF -DQEN_BUILD_BENCH=OFF >/dev/null
    cmake --build "$dir" ${1:+--target "$@"}
}
