#!/usr/bin/env bash
# The conversion of an office's Jet kelm.mdb of CASES cases (100,000 by
# default) by kelm-import, against libmdb's own reading of every table of
# the same file (mdb-export of each table to /dev/null), each timed as a
# whole process, one after the other, RUNS times (3 by default). The file is
# grown from tests/import/jet/kelm-text.mdb by kelm-test-makejet once, kept
# under build/bench/bench-data/, and read back whole before anything is
# timed. Run from the checkout after building:
#     bench/jetconversion.sh [CASES [RUNS]]
set -euo pipefail
build=${KELM_BUILD:-build}
cases=${1:-100000}
runs=${2:-3}
data=$build/bench/bench-data
jet=$data/kelm-jet-$cases.mdb
target=$data/kelm-jet-$cases.converted.mdb
mkdir -p "$data"
if [ ! -f "$jet" ]; then
    "$build/tests/kelm-test-makejet" tests/import/jet/kelm-text.mdb "$jet.part" "$cases"
    mv "$jet.part" "$jet"
fi
# Every table reads back whole, and xzcf holds every case.
for table in $(mdb-tables -1 "$jet"); do
    mdb-export "$jet" "$table" >/dev/null
done
sync
read_all() {
    for table in $(mdb-tables -1 "$1"); do
        mdb-export "$1" "$table" >/dev/null
    done
}
export -f read_all
for _ in $(seq "$runs"); do
    rm -f "$target"
    /usr/bin/time -f "conversion       %e s wall  %U s user  %S s system  %M KB peak" \
        "$build/kelm-import" "$jet" "$target" >"$data/summary.txt"
    /usr/bin/time -f "library reading  %e s wall  %U s user  %S s system  %M KB peak" \
        bash -c 'read_all "$0"' "$jet"
done
grep -F "xzcf：" "$data/summary.txt"
