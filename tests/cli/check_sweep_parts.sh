#!/usr/bin/env bash
# fireflow and criticality split into parts: the parts' CSV files, run side by side the way a batch
# system would (GNU parallel when installed, else xargs -P, which this machine may have instead),
# concatenate byte for byte to the whole run's. A run stopped by Ctrl-C writes no CSV.
#   check_sweep_parts.sh QEN_CLI NETWORK OUT_DIR
set -u
cli=$1 net=$2 out=$3
mkdir -p "$out"
failed=0

for command in fireflow criticality; do
    rm -f "$out/$command"-*.csv
    "$cli" $command "$net" --jobs 2 --csv "$out/$command-whole.csv" >/dev/null || failed=1
    if command -v parallel >/dev/null; then
        parallel -j 2 "$cli" $command "$net" --jobs 1 --part {}/3 --csv "$out/$command-part{}.csv" ::: 1 2 3 \
            >/dev/null || failed=1
    else
        printf '%s\n' 1 2 3 | xargs -P 2 -I{} "$cli" $command "$net" --jobs 1 --part {}/3 \
            --csv "$out/$command-part{}.csv" >/dev/null || failed=1
    fi
    if ! cat "$out/$command-part1.csv" "$out/$command-part2.csv" "$out/$command-part3.csv" |
        cmp -s - "$out/$command-whole.csv"; then
        echo "FAIL: $command parts do not concatenate to the whole run" >&2
        failed=1
    fi
    if [[ $(head -c 3 "$out/$command-part2.csv") == pip* || $(head -c 3 "$out/$command-part2.csv") == id, ]]; then
        echo "FAIL: $command part 2 repeats the header" >&2
        failed=1
    fi
done

# Stopped half-way: status 3, nothing written. Ctrl-C before the calculation starts (a slow start on
# a busy machine) ends the process as a plain SIGINT (130), also without a CSV: then again, later.
stopped=0
for delay in 0.3 0.6 1.2 2.4; do
    rm -f "$out/stopped.csv"
    timeout --preserve-status -s INT $delay "$cli" fireflow "$net" --jobs 1 --csv "$out/stopped.csv" \
        >/dev/null 2>"$out/stopped.err"
    status=$?
    if [[ -e $out/stopped.csv && $status != 0 ]]; then
        echo "FAIL: a stopped fireflow (status $status) left a CSV" >&2
        failed=1
    fi
    [[ $status == 130 ]] && continue
    if [[ $status != 3 || -e $out/stopped.csv ]] || ! grep -q "nothing written" "$out/stopped.err"; then
        echo "FAIL: a fireflow stopped after $delay s ended with $status or left a CSV" >&2
        failed=1
    fi
    stopped=1
    break
done
[[ $stopped == 1 ]] || { echo "FAIL: no fireflow run was stopped while calculating" >&2; failed=1; }
exit $failed
