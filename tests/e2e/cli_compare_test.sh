#!/usr/bin/env bash
# ventrel-cli diff, import and verify: exit statuses, a table round trip through CSV for
# every edition and table, refusals that leave the file alone, and verify against
# ventrel-sim over a pseudo-terminal, with a module that differs by one FLASH word and
# modules that cannot be read.
set -euo pipefail
cli=$1
simulator=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# shellcheck source=sim_helpers.sh
source "$(dirname "$0")/sim_helpers.sh"

for edition in vosk kq ql2-vosk ql2-kq jx; do
  "$cli" new --edition "$edition" "$out/$edition.dat" >/dev/null
  tables="front rear"
  [[ $edition == ql2-* || $edition == jx ]] && tables+=" retard"
  for table in $tables; do
    "$cli" table "$out/$edition.dat" "$table" --csv >"$out/t.csv"
    run import "$out/$edition.dat" "$table" "$out/t.csv" --out "$out/back.dat"
    expect_status 0 "import of $edition $table"
    cmp -s "$out/$edition.dat" "$out/back.dat" || fail "$edition $table: the round trip changed bytes"
    rm "$out/back.dat"
  done
done

run diff "$out/jx.dat" "$out/jx.dat"
expect_status 0 "diff of a file with itself"
grep -qxF "The tunes are the same." "$out/stdout" || fail "an identical diff does not say so"

# One value changed in a spreadsheet: the file takes it, diff finds it.
"$cli" table "$out/jx.dat" rear --csv | sed '5s/,[^,]*$/,12.5/' >"$out/rear.csv"
run import "$out/jx.dat" rear "$out/rear.csv" --out "$out/changed.dat"
expect_status 0 "import of a changed table"
grep -qF "(1 cell changed)" "$out/stdout" || fail "import does not count the changed cell"
run diff "$out/jx.dat" "$out/changed.dat"
expect_status 1 "diff of different tunes"
grep -qE '^ +1750 +100% .* 12\.50 ' "$out/stdout" || fail "diff does not show the changed cell"
run diff "$out/jx.dat" "$out/changed.dat" --csv
expect_status 1 "diff --csv"
[ "$(head -n 1 "$out/stdout")" = "item,rpm,tps,first,second,difference" ] || fail "CSV header"
grep -q '^Rear Cylinder Fuel Trim Table,1750,100%,.*,12.5,' "$out/stdout" || fail "CSV line"
head -c 1000 "$out/jx.dat" >"$out/short.dat"
run diff "$out/jx.dat" "$out/short.dat"
expect_status 2 "diff with a short file"
run diff "$out/jx.dat"
expect_status 2 "diff with one file"

# A refused import names the place and writes nothing.
cp "$out/jx.dat" "$out/kept.dat"
sed '3s/,[^,]*$/,31/' "$out/rear.csv" >"$out/bad.csv"
run import "$out/kept.dat" rear "$out/bad.csv"
expect_status 1 "import of a value out of range"
grep -qF "Line 3, column 10 (1250 RPM, 100% TPS)" "$out/stderr" || fail "the refusal names no place"
cmp -s "$out/jx.dat" "$out/kept.dat" || fail "a refused import changed the file"
run import "$out/kept.dat" rear "$out/rear.csv" --out "$out/changed.dat"
expect_status 1 "import over an existing --out file"
run import "$out/vosk.dat" retard "$out/rear.csv"
expect_status 1 "import of a retard table into first-generation data"

# verify reads as a download does and never writes: the same data, one flipped word in a
# table, a silent module, and a module that stops answering mid-read.
start_sim --edition jx --image "$out/jx.dat"
run verify --port "$dev" "$out/jx.dat"
expect_status 0 "verify of the module's own data"
grep -qxF "The tunes are the same." "$out/stdout" || fail "verify does not say the data are the same"
stop_sim
# A KQ module whose edition byte has no code yet: the download marks it, and that marking is
# no difference.
cp "$out/kq.dat" "$out/unmarked.dat"
printf '\x03' | dd of="$out/unmarked.dat" bs=1 seek=$((1280 + 33 - 16)) conv=notrunc status=none
start_sim --edition kq --image "$out/unmarked.dat"
run download --port "$dev" "$out/marked.dat"
expect_status 0 "download from the unmarked KQ module"
run verify --port "$dev" "$out/marked.dat"
expect_status 0 "verify of a KQ module against its marked download"
stop_sim
cp "$out/jx.dat" "$out/flipped.dat"
# FLASH word 6700: the front table's column 5, rows 1 and 2 (the file holds the low byte first).
printf '\x90' | dd of="$out/flipped.dat" bs=1 seek=$(((6700 - 6272) * 2)) conv=notrunc status=none
start_sim --edition jx --image "$out/flipped.dat"
run verify --port "$dev" "$out/jx.dat"
expect_status 1 "verify of a module with a flipped word"
grep -qF "Front Cylinder Fuel Trim Table: 1 cell differs" "$out/stdout" || fail "the flipped cell is not shown"
grep -qE '^ +1000 +20% ' "$out/stdout" || fail "the flipped cell's place"
stop_sim
for fault in silent drop-after=700; do
  start_sim --edition jx --fault "$fault"
  run verify --port "$dev" "$out/jx.dat"
  expect_status 2 "verify against a module with fault $fault"
  grep -qF "the module could not be read, so nothing was compared" "$out/stderr" ||
    fail "$fault: no word that nothing was compared"
  stop_sim
done
cmp -s "$out/jx.dat" "$out/kept.dat" || fail "verify changed the data file"
run verify --simulate=jx "$out/short.dat"
expect_status 2 "verify with a short file"
echo "cli compare: all passed"
