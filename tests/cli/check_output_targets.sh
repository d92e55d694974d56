#!/usr/bin/env bash
# An output that names the command's own input, by its name or through a link, is refused before
# anything is written when it would put another kind of file there; a network written back over
# itself and a drawing drawn into itself stay allowed. Options and arguments given as empty text are
# refused naming them, and so are network files named like another format.
#   check_output_targets.sh QEN_CLI SOURCE_DIR OUT_DIR
set -u
cli=$1 src=$2 out=$3
source "$(dirname "${BASH_SOURCE[0]}")/expect.sh"
rm -rf "$out" && mkdir -p "$out" && cd "$out" || exit 1
cp "$src/tests/data/networks/Net1.txt" t.txt
cp "$src/tests/data/networks/Net1.inp" n.inp
cp "$src/tests/data/cad/tee.dxf" d.dxf
cp "$src/examples/town.wnp" r.xlsx
ln -s d.dxf link.wnp
cp n.inp e.wnp

unchanged() {
    if ! cmp -s "$1" "$2"; then
        echo "FAIL: $1 was changed" >&2
        failed=1
    fi
}

refused="is the input file"
expect 1 "$refused" "$cli" import-dxf d.dxf link.wnp
expect 1 "$refused" "$cli" export-dxf t.txt t.txt
expect 1 "$refused" "$cli" import-inp e.wnp e.wnp
expect 1 "$refused" "$cli" export-inp t.txt t.txt
expect 1 "$refused" "$cli" balance t.txt --nodes-csv t.txt
expect 1 "$refused" "$cli" balance t.txt --links-csv ./t.txt
expect 1 "$refused" "$cli" simulate n.inp --duration 2 --nodes-csv n.inp
expect 1 "$refused" "$cli" fireflow t.txt --nodes 11 --csv t.txt
expect 1 "$refused" "$cli" criticality t.txt --pipes 11 --csv t.txt
expect 1 "$refused" "$cli" report r.xlsx r.xlsx
unchanged t.txt "$src/tests/data/networks/Net1.txt"
unchanged e.wnp "$src/tests/data/networks/Net1.inp"
unchanged d.dxf "$src/tests/data/cad/tee.dxf"
unchanged r.xlsx "$src/examples/town.wnp"

# Allowed: the same kind of file written back.
expect 0 "" "$cli" export-dxf t.txt d.dxf --into d.dxf
expect 0 "" "$cli" balance t.txt --save t.txt

# A network written under another format's name would be a project file called .inp or .csv.
named="a network is written as .wnp"
expect 1 "export-inp" "$cli" convert t.txt o.inp
expect 1 "$named" "$cli" import-inp n.inp o.INP
expect 1 "$named" "$cli" balance t.txt --save o.csv
expect 1 "export-dxf" "$cli" import-dxf d.dxf o.dxf
if [[ -e o.inp || -e o.INP || -e o.csv || -e o.dxf ]]; then
    echo "FAIL: a refused network name was written" >&2
    failed=1
fi

empty="is empty"
expect 1 "--csv $empty" "$cli" fireflow t.txt --csv ""
expect 1 "--part $empty" "$cli" criticality t.txt --part ""
expect 1 "--nodes-csv $empty" "$cli" balance t.txt --nodes-csv ""
expect 1 "--save $empty" "$cli" balance t.txt --save ""
expect 1 "--save $empty" "$cli" allocate t.txt --total 5 --save ""
expect 1 "--into $empty" "$cli" import-dxf d.dxf o.wnp --into ""
expect 1 "--into $empty" "$cli" export-dxf t.txt o.dxf --into ""
expect 1 "OUT $empty" "$cli" convert t.txt ""
expect 1 "--pipes-layer $empty" "$cli" import-gis d.dxf o.wnp --pipes-layer ""
expect 0 "" "$cli" report t.txt o.xlsx --title ""

# A name holding a terminal escape is echoed with the escape written out.
err=$("$cli" info $'no\x1b[31mfile.txt' 2>&1)
if [[ $err != *'no\x1B[31mfile.txt'* || $err == *$'\x1b'* ]]; then
    echo "FAIL: an escape in a file name reached the terminal: $err" >&2
    failed=1
fi
exit $failed
