#!/usr/bin/env bash
# qen --export-image writes the format the output's extension names, refuses the others naming
# the supported ones, refuses special and read-only targets without touching them (a FIFO must not
# block), writes through symbolic links, and refuses a network too wide to draw.
#   check_export_image.sh QEN SOURCE_DIR OUT_DIR
set -u
qen=$1 src=$2 out=$3
town=$src/examples/town.txt
rm -rf "$out"
mkdir -p "$out"
failed=0
fail() { echo "FAIL: $*" >&2; failed=1; }

# run STATUS TEXT ARGS...: qen's status and a text its stderr must hold.
run() {
    local want=$1 text=$2
    shift 2
    local err
    err=$(timeout 60 "$qen" --export-image "$@" 2>&1 >/dev/null)
    local got=$?
    [[ $got == "$want" && $err == *"$text"* ]] || fail "qen --export-image $* -> $got (want $want): $err"
}

magic() { head -c "$2" "$1" | od -An -tx1 | tr -d ' \n'; }

run 0 "" "$town" "$out/t.jpg"
[[ $(magic "$out/t.jpg" 3) == ffd8ff ]] || fail "t.jpg is not JPEG"
run 0 "" "$town" "$out/t.JPEG"
[[ $(magic "$out/t.JPEG" 3) == ffd8ff ]] || fail "t.JPEG is not JPEG"
run 0 "" "$town" "$out/t.bmp"
[[ $(magic "$out/t.bmp" 2) == 424d ]] || fail "t.bmp is not BMP"
run 0 "" "$town" "$out/t.png"
[[ $(magic "$out/t.png" 4) == 89504e47 ]] || fail "t.png is not PNG"
run 0 "" "$town" "$out/t.pdf"
[[ $(magic "$out/t.pdf" 4) == 25504446 ]] || fail "t.pdf is not PDF"
for name in t.svg t noext.; do
    run 1 "png" "$town" "$out/$name"
    [[ -e $out/$name ]] && fail "$name was written"
done

# A FIFO without a reader: refused at once, not blocked on.
mkfifo "$out/pipe.png"
run 1 "不是普通文件" "$town" "$out/pipe.png"
# A read-only target stays as it was, PDF or picture; nothing is left beside it.
for name in ro.pdf ro.png; do
    printf 'old' >"$out/$name"
    chmod a-w "$out/$name"
    run 1 "只读" "$town" "$out/$name"
    [[ $(cat "$out/$name") == old ]] || fail "$name was changed"
done
[[ -z $(find "$out" -name '.*qen-save*') ]] || fail "a temporary file was left"
# Through a symbolic link: the link stays, the file it names gets the picture.
ln -s real.png "$out/link.png"
run 0 "" "$town" "$out/link.png"
[[ -L $out/link.png && $(magic "$out/real.png" 4) == 89504e47 ]] || fail "the link was replaced"
# Coordinates at +-1e308: no blank picture.
run 1 "1e308" "$src/tests/data/cli/hostile/extreme.txt" "$out/extreme.png"
run 1 "1e308" "$src/tests/data/cli/hostile/extreme.txt" "$out/extreme-c.png" --balance --contours head
[[ -e $out/extreme.png || -e $out/extreme-c.png ]] && fail "a picture of the extreme network was written"
# A name holding a terminal escape is echoed with the escape written out.
err=$("$qen" --export-image "$town" "$out/"$'x\x1b[31m.svg' 2>&1)
[[ $err == *'x\x1B[31m.svg'* && $err != *$'\x1b'* ]] || fail "an escape in a file name reached the terminal: $err"
exit $failed
