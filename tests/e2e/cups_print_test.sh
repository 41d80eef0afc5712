#!/usr/bin/env bash
# Printing through a real print service: a cupsd of the test's own (its own folder and
# socket, nothing of the system's queues touched) with a queue on the generic PDF printer
# driver, fed by ventrel-cli print --printer and by the desktop program's print commands;
# the PDF the queue wrote is read back with pdftotext. A stopped, a rejecting and a
# missing queue are told, and nothing is sent to them. Skipped where cupsd cannot start.
set -euo pipefail
cli=$1
desktop=$2
skip() { echo "SKIPPED: $*"; exit 77; }
fail() { echo "FAIL: $*" >&2; [ -f "${root:-}/log/error_log" ] && tail -20 "$root/log/error_log" >&2; exit 1; }

ppd=/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd
[ "$(id -u)" -eq 0 ] || skip "starting a print service of the test's own needs root"
[ -x /usr/sbin/cupsd ] && command -v lpadmin >/dev/null || skip "CUPS is not installed (scripts/setup installs it)"
[ -f "$ppd" ] || skip "the generic PDF printer driver is missing (scripts/setup installs cups-filters)"
command -v pdftotext >/dev/null || fail "pdftotext missing: scripts/setup installs poppler-utils"

root=$(mktemp -d /tmp/ventrel-cups-XXXXXX)
cupsd_pid=
cleanup() {
  [ -n "$cupsd_pid" ] && kill "$cupsd_pid" 2>/dev/null && wait "$cupsd_pid" 2>/dev/null
  rm -rf "$root"
}
trap cleanup EXIT
# The service runs its filters as lp: they reach the spool and write the queue's file.
chmod 755 "$root"
mkdir -p "$root"/{spool,cache,state,tmp,log,out,work}
chmod 1777 "$root/tmp"
out=$root/out/job.pdf
cat >"$root/cupsd.conf" <<CONF
Listen $root/cups.sock
Browsing Off
WebInterface No
DefaultAuthType None
CONF
cat >"$root/cups-files.conf" <<CONF
ServerRoot $root
RequestRoot $root/spool
CacheDir $root/cache
StateDir $root/state
TempDir $root/tmp
ErrorLog $root/log/error_log
AccessLog $root/log/access_log
PageLog $root/log/page_log
Printcap $root/printcap
FileDevice Yes
User lp
Group lp
SystemGroup root
CONF
/usr/sbin/cupsd -f -c "$root/cupsd.conf" -s "$root/cups-files.conf" &
cupsd_pid=$!
export CUPS_SERVER=$root/cups.sock
for _ in $(seq 100); do [ -S "$CUPS_SERVER" ] && break; sleep 0.1; done
[ -S "$CUPS_SERVER" ] || skip "cupsd did not start here"

queue=ventrel-test
lpadmin -p "$queue" -E -v "file://$out" -P "$ppd" 2>/dev/null || fail "cannot create the queue"
lpadmin -d "$queue" || fail "cannot make the queue the default"

# Empties the queue's file, so that only the next job can fill it.
fresh() { : >"$out"; chmod 666 "$out"; }
# Waits until the queue has printed every job (at most 30 s), then gives the page text.
printed() {
  for _ in $(seq 300); do [ -z "$(lpstat -o "$queue")" ] && break; sleep 0.1; done
  [ -z "$(lpstat -o "$queue")" ] || fail "the queue did not finish its job"
  [ -s "$out" ] || fail "the queue wrote no file"
  pdftotext -layout "$out" -
}
expect_in() { # text, what printed
  grep -qF -- "$1" <<<"$2" || fail "the printed page has no \"$1\""
}

"$cli" new --edition jx "$root/work/t.dat" >/dev/null

# Runs one case of the desktop program's print tests on the queue.
desktop_case() {
  VENTREL_TEST_QUEUE=$queue "$desktop" --gtest_filter="CupsPrint.$1" >"$root/log/desktop" 2>&1 &&
    grep -q "PASSED.*1 test" "$root/log/desktop" || { cat "$root/log/desktop" >&2; fail "desktop $1"; }
}

# The parameter page from ventrel-cli on the named queue and from the desktop program's
# Print Quillon Parameters, the rear table on the default queue.
fresh
receipt=$("$cli" print "$root/work/t.dat" params --printer "$queue" --comment "SN 0042" 2>/dev/null)
[[ $receipt == "Sent to the printer \"$queue\" as job "* ]] || fail "no job number: $receipt"
page=$(printed)
expect_in "Marrowby Quillon II JX Version Parameters Data Printed:" "$page"
expect_in "Serial/Comment: SN 0042" "$page"
fresh
desktop_case ParameterPageGoesToTheQueue
expect_in "desktop via the print service" "$(printed)"
fresh
"$cli" print "$root/work/t.dat" rear >/dev/null 2>&1 || fail "printing on the default printer"
expect_in "Rear Cylinder Fuel Trim Table Data Printed:" "$(printed)"

# Queues that would not print: told, and nothing sent.
jobs_before=$(lpstat -W all -o | wc -l)
refused() { # what stderr says, arguments of ventrel-cli print
  local says=$1
  shift
  if "$cli" print "$root/work/t.dat" params "$@" >/dev/null 2>"$root/log/refused"; then
    fail "printing was reported done: $*"
  fi
  grep -qF -- "$says" "$root/log/refused" || { cat "$root/log/refused" >&2; fail "no \"$says\""; }
}
cupsdisable "$queue"
refused "\"$queue\" is stopped" --printer "$queue"
cupsenable "$queue"
cupsreject "$queue"
refused "\"$queue\" is not accepting print jobs" --printer "$queue"
cupsaccept "$queue"
refused "There is no printer named \"no-such-printer\"" --printer no-such-printer
[ "$(lpstat -W all -o | wc -l)" = "$jobs_before" ] || fail "a refused printout reached a queue"
echo "cups print test passed"
