#!/usr/bin/env bash
# Builds the libFuzzer harnesses of tests/fuzz (clang, ASan, UBSan) in build-fuzz/ and
# runs each over its seed corpus in tests/fuzz/corpus/<name>.
#
#   scripts/fuzz.sh              a short fixed run of each harness (what CI runs)
#   scripts/fuzz.sh SECONDS      each harness for SECONDS seconds, new inputs kept in
#                                build-fuzz/corpus/<name> (the committed seeds stay small)
#   scripts/fuzz.sh SECONDS NAME only the harness fuzz_NAME
#
# A crash, a sanitizer report or a broken invariant stops the run; the input that caused
# it is written to build-fuzz/ as crash-* (or leak-*, timeout-*).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
seconds=${1:-}
only=${2:-}
runs=${KORVINAUT_FUZZ_RUNS:-20000}

if [[ ! -f build-fuzz/build.ninja ]]; then
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DKORVINAUT_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
fi
cmake --build build-fuzz

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for harness in build-fuzz/fuzz/fuzz_*; do
  name=$(basename "$harness")
  name=${name#fuzz_}
  [[ -n "$only" && "$only" != "$name" ]] && continue
  seeds=$root/tests/fuzz/corpus/$name
  if [[ -z "$seconds" ]]; then
    echo "== fuzz_$name: $runs runs"
    (cd build-fuzz && "$root/$harness" -runs="$runs" -max_len=4096 -timeout=10 "$seeds" 2>&1 | tail -n 3)
  else
    work=$root/build-fuzz/corpus/$name
    mkdir -p "$work"
    echo "== fuzz_$name: $seconds s"
    (cd build-fuzz && "$root/$harness" -max_total_time="$seconds" -max_len=4096 -timeout=10 "$work" "$seeds" 2>&1 | tail -n 3)
  fi
done
