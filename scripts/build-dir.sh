# Sourced by run.sh and test.sh from the checkout's top: the build folder of QEN_BUILD_DIR (default
# build/) as an absolute path. A relative folder is taken from the checkout, an absolute one as it
# stands, so that paths made from it work wherever the scripts cd.
qen_build_dir() {
    local dir=${QEN_BUILD_DIR:-build}
    case $dir in
    /*) ;;
    *) dir=$(pwd)/$dir ;;
    esac
    printf '%s\n' "${dir%/}"
}
