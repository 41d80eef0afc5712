# What the end-to-end scripts share; source it after setting cli, simulator and out.

# ventrel-cli upload keeps its backups in the user's data folder; the tests keep theirs.
export XDG_DATA_HOME=$out/data

fail() { echo "FAIL: $*" >&2; exit 1; }

# Starts the simulator with the given options; sets dev to its terminal.
start_sim() {
  coproc SIM { exec "$simulator" --pty "$@"; }
  read -r -t 10 dev <&"${SIM[0]}" || fail "ventrel-sim printed no device for $*"
  [ -c "$dev" ] || fail "ventrel-sim printed \"$dev\", not a terminal"
}

# Ends the simulator by closing its standard input, as a test harness does.
stop_sim() {
  local pid=$SIM_PID
  exec {SIM[1]}>&-
  wait "$pid" || fail "ventrel-sim did not end cleanly when its input closed"
}

# Runs ventrel-cli; its output goes to $out/stdout and $out/stderr, its exit to status.
run() {
  set +e
  "$cli" "$@" >"$out/stdout" 2>"$out/stderr"
  status=$?
  set -e
}

# Fails unless the last run exited with status $1; $2 names what ran.
expect_status() {
  [ "$status" -eq "$1" ] || { cat "$out/stdout" "$out/stderr" >&2; fail "$2 exited $status, not $1"; }
}

# Fails unless the last run wrote the whole line $1 to $2 (stdout or stderr).
expect_line() {
  grep -qxF -- "$1" "$out/$2" || { cat "$out/stdout" "$out/stderr" >&2; fail "missing \"$1\" in $2"; }
}
