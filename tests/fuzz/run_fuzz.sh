#!/usr/bin/env bash
# Runs one built libFuzzer target briefly from its seed corpus with a fixed seed:
# run_fuzz.sh TARGET CORPUS. FUZZ_RUNS sets the number of runs for targets whose runs are slow.
set -euo pipefail
target=$1 corpus=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$corpus"/* "$work/"
# Files a target writes go into the work folder, which goes when the run ends.
TMPDIR="$work" "$target" -seed=1 -runs="${FUZZ_RUNS:-300000}" -max_len=4096 "$work" 2>&1 | tail -n 3
