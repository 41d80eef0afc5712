#!/usr/bin/env bash
# ventrel-cli download and upload: against ventrel-sim over a pseudo-terminal for every
# edition, a round trip that changes a module's data, the refusals, and the same work
# with the built-in simulated module.
set -euo pipefail
cli=$1
simulator=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# shellcheck source=sim_helpers.sh
source "$(dirname "$0")/sim_helpers.sh"

# Every edition at once, each with a simulator of its own: the line keeps the time, not
# the processor.
roundtrip() {
  local edition=$1 dir=$out/$1
  mkdir -p "$dir"
  coproc SIM { exec "$simulator" --pty --edition "$edition"; }
  local dev
  read -r -t 10 dev <&"${SIM[0]}" || { echo "ventrel-sim printed no device" >"$dir/failed"; return; }
  "$cli" download --port "$dev" "$dir/data.dat" >"$dir/download.out" 2>&1 ||
    echo "download exited $?" >>"$dir/failed"
  "$cli" upload --port "$dev" "$dir/data.dat" >"$dir/upload.out" 2>&1 ||
    echo "upload exited $?" >>"$dir/failed"
  exec {SIM[1]}>&-
  wait "$SIM_PID" || echo "ventrel-sim did not end cleanly" >>"$dir/failed"
}

pids=()
for edition in vosk kq ql2-vosk ql2-kq jx; do
  roundtrip "$edition" &
  pids+=($!)
done
wait "${pids[@]}"
for edition in vosk kq ql2-vosk ql2-kq jx; do
  dir=$out/$edition
  [ ! -e "$dir/failed" ] || { cat "$dir"/*.out "$dir/failed" >&2; fail "$edition round trip"; }
  grep -qxF "ventrel-cli download: Download completed." "$dir/download.out" ||
    fail "$edition: no \"Download completed.\""
  grep -qxF "Reading FLASH: 100%" "$dir/download.out" || fail "$edition: no progress lines"
  [ "$(stat -c %s "$dir/data.dat")" -eq 1360 ] || fail "$edition: the file is not 1360 bytes"
  grep -qxF "ventrel-cli upload: Upload completed. Remember to cycle run/stop switch off for 5 seconds" \
    "$dir/upload.out" || fail "$edition: no \"Upload completed.\""
  grep -qxF "ventrel-cli upload: and then on again before starting engine." "$dir/upload.out" ||
    fail "$edition: the reminder's second line is missing"
done
cp "$out/jx/data.dat" "$out/jx.dat"

# A module holding a base tune takes the downloaded data and gives them back unchanged.
run new --edition jx "$out/base.dat"
expect_status 0 "new"
! cmp -s "$out/base.dat" "$out/jx.dat" || fail "the base tune equals the module's data"
# Before writing, the upload says what will change and keeps what the module held; a dry
# run only says it.
start_sim --edition jx --image "$out/base.dat"
run download --port "$dev" "$out/held.dat"
expect_status 0 "download of the base tune"
run upload --port "$dev" --dry-run "$out/jx.dat"
expect_status 0 "upload --dry-run"
expect_line "The upload will change in the module (now -> after):" stdout
expect_line "Dry run: nothing was written to the module." stdout
grep -q "^Backup of the module" "$out/stdout" && fail "a dry run made a backup"
run download --port "$dev" "$out/after-dry-run.dat"
cmp "$out/held.dat" "$out/after-dry-run.dat" || fail "a dry run changed the module"
run upload --port "$dev" "$out/jx.dat"
expect_status 0 "upload into a base tune"
backup=$(sed -n 's/^Backup of the module: //p' "$out/stdout")
[ "$(dirname "$backup")" = "$XDG_DATA_HOME/Ventrel/backups" ] || fail "backup in \"$backup\""
cmp "$out/held.dat" "$backup" || fail "the backup is not what the module held"
run download --port "$dev" "$out/back.dat"
expect_status 0 "download after the upload"
cmp "$out/jx.dat" "$out/back.dat" || fail "the module does not hold what was uploaded"
run upload --port "$dev" --no-backup "$out/jx.dat"
expect_status 0 "upload --no-backup"
grep -q "^Backup of the module" "$out/stdout" && fail "--no-backup made a backup"
stop_sim

# Data of the other generation go only when asked for.
start_sim --edition vosk
run upload --port "$dev" "$out/jx.dat"
expect_status 1 "JX data to a first-generation module"
grep -q "JX data are of the other generation than this VOSK module" "$out/stderr" ||
  fail "the generation guard did not say why"
run upload --port "$dev" --allow-other-generation "$out/jx.dat"
expect_status 0 "upload --allow-other-generation"
stop_sim

start_sim --edition kq
run upload --port "$dev" "$out/jx.dat"
expect_status 1 "JX data to a KQ module"
expect_line "ventrel-cli upload: Cannot upload vosk data to KQ version" stderr
grep -q "Upload completed" "$out/stderr" && fail "a refused upload said it completed"
stop_sim

start_sim --fault engine-started
run download --port "$dev" "$out/started.dat"
expect_status 1 "download after the engine was started"
expect_line "ventrel-cli download: Cannot download after engine has been started." stderr
[ ! -e "$out/started.dat" ] || fail "a refused download wrote a file"
stop_sim

# The built-in simulated module.
run download --simulate=jx "$out/tune.dat"
expect_status 0 "download --simulate=jx"
expect_line "Downloaded JX data (Firmware ID: Quillon II JX V2.4) to $out/tune.dat" stdout
run download --simulate=jx "$out/tune.dat"
expect_status 1 "download over an existing file"
grep -q "already exists; give --force" "$out/stderr" || fail "an existing file was not kept"
run download --simulate=jx --force "$out/tune.dat"
expect_status 0 "download --force"
run upload --simulate=jx "$out/tune.dat"
expect_status 0 "upload --simulate=jx"

run download --simulate "$out/no-such-folder/tune.dat"
expect_status 1 "download into a missing folder"
run upload --simulate "$out/missing.dat"
expect_status 1 "upload of a missing file"
run upload --simulate=qx "$out/tune.dat"
expect_status 2 "a bad edition"
run download --simulate
expect_status 2 "download without a file"
echo "cli transfer: all passed"
