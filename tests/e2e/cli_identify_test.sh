#!/usr/bin/env bash
# ventrel-cli identify against ventrel-sim over a pseudo-terminal, through the real serial
# stack: every edition, a module that never answers, a busy one, a started engine.
set -euo pipefail
cli=$1
simulator=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# shellcheck source=sim_helpers.sh
source "$(dirname "$0")/sim_helpers.sh"

identify() { run identify "$@"; }

for pair in "vosk:Quillon Vosk V5.1:VOSK" "kq:Quillon KQ V5.1:KQ" \
            "ql2-vosk:Quillon II Vosk V2.4:QL2 VOSK" "ql2-kq:Quillon II KQ V2.4:QL2 KQ" \
            "jx:Quillon II JX V2.4:JX"; do
  IFS=: read -r edition id version <<<"$pair"
  start_sim --edition "$edition"
  identify --port "$dev"
  expect_status 0 "identify $edition"
  expect_line "Firmware ID: $id" stdout
  expect_line "Edition: $version" stdout
  expect_line "Engine started: no" stdout
  stop_sim
done

start_sim --fault silent
identify --port "$dev"
expect_status 1 "identify of a silent module"
expect_line "ventrel-cli identify: Cannot establish RS-232 link. Check cable and module power." stderr
stop_sim

# A module still busy for 1.2 s: the first link check fails, a later one finds it, and
# its late acknowledgement is not taken for the status.
start_sim --fault busy=1200
identify --port "$dev"
expect_status 0 "identify of a busy module"
expect_line "Engine started: no" stdout
stop_sim

start_sim --edition kq --fault engine-started --fault "id=Quillon KQ bench"
identify --port "$dev"
expect_line "Firmware ID: Quillon KQ bench" stdout
expect_line "Engine started: yes" stdout
stop_sim

start_sim
kill -TERM "$SIM_PID"
wait "$SIM_PID" || fail "ventrel-sim did not end cleanly on SIGTERM"

identify --simulate=jx
expect_status 0 "identify --simulate=jx"
expect_line "Firmware ID: Quillon II JX V2.4" stdout

identify --port /dev/ventrel-no-such-port
expect_status 1 "identify of a missing port"
grep -q "The serial port /dev/ventrel-no-such-port does not exist" "$out/stderr" ||
  fail "a missing port was not named"
# Told once, in the terms of the command line, and then the link check ends.
[ "$(grep -c "does not exist" "$out/stderr")" -eq 1 ] || fail "a missing port was told more than once"
grep -q -- "--port DEVICE" "$out/stderr" || fail "a missing port does not point to --port"
if grep -q "Port Setup\|Retry" "$out/stderr"; then fail "desktop advice on the command line"; fi

identify --simulate=qx
expect_status 2 "identify of a bad edition"
echo "cli identify: all passed"
