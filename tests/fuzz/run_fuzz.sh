#!/usr/bin/env bash
# Builds one libFuzzer target with clang from the standard-library sources it needs and
# runs it briefly from its seed corpus with a fixed seed: run_fuzz.sh NAME OUTDIR SOURCES...
# FUZZ_RUNS sets the number of runs for targets whose runs are slow.
set -euo pipefail
name=$1 out=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
mkdir -p "$out"
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -I"$root/src" "$here/$name.cpp" "$@" -o "$out/$name"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$here/corpus/$name"/* "$work/"
# Files a target writes go into the work folder, which goes when the run ends.
TMPDIR="$work" "$out/$name" -seed=1 -runs="${FUZZ_RUNS:-300000}" -max_len=4096 "$work" 2>&1 | tail -n 3
