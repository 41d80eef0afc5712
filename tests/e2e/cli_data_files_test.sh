#!/usr/bin/env bash
# ventrel-cli on data files: base tunes of every edition reopen as that edition, tables
# print as the grid shows them, and bad files are refused with a non-zero status.
set -euo pipefail
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

for pair in vosk:VOSK kq:KQ ql2-vosk:"QL2 VOSK" ql2-kq:"QL2 KQ" jx:JX; do
  edition=${pair%%:*} version=${pair#*:}
  "$cli" new --edition "$edition" "$work/$edition tune.dat" >/dev/null
  [ "$(stat -c %s "$work/$edition tune.dat")" -eq 1360 ] || fail "$edition file size"
  [ "$("$cli" info "$work/$edition tune.dat" | head -n 1)" = "Edition: $version" ] || fail "$edition edition"
done

"$cli" new --edition jx "$work/t.dat" >/dev/null
"$cli" table "$work/t.dat" front >"$work/front.txt"
[ "$(wc -l <"$work/front.txt")" -eq 23 ] || fail "JX front table is not 23 lines"
read -r -a header <"$work/front.txt"
[ "${header[*]}" = "RPM/TPS 0% 2.5% 5% 10% 20% 40% 60% 80% 100%" ] || fail "header: ${header[*]}"
[ "$(sed -n 2p "$work/front.txt" | awk '{print $1}')" = 1000 ] || fail "first RPM label"
[ "$(sed -n 23p "$work/front.txt" | awk '{print $1, NF}')" = "9500 10" ] || fail "last RPM row"

"$cli" table "$work/t.dat" retard --csv >"$work/retard.csv"
[ "$(wc -l <"$work/retard.csv")" -eq 23 ] || fail "CSV rows"
awk -F, 'NF != 10 { exit 1 }' "$work/retard.csv" || fail "CSV columns"

"$cli" info "$work/t.dat" >"$work/info.txt"
grep -qx 'User Data:          Ventrel base tune' "$work/info.txt" || fail "user data line"
grep -qx 'Parameter 19:   0' "$work/info.txt" || fail "last parameter line"
[ "$(tail -n 1 "$work/info.txt")" = "Parameter 19:   0" ] || fail "info ends at the last parameter"

if "$cli" new --edition jx "$work/t.dat" 2>"$work/err"; then fail "new replaced a file"; fi
grep -q -- --force "$work/err" || fail "new does not say how to replace"
if "$cli" table "$work/vosk tune.dat" retard 2>/dev/null; then fail "first generation retard"; fi

head -c 1359 "$work/t.dat" >"$work/short.dat"
if "$cli" table "$work/short.dat" front 2>"$work/err"; then fail "table accepted a short file"; fi
grep -q "Error - reached premature end-of-file" "$work/err" || fail "short-file message"
if "$cli" info "$work" 2>"$work/err"; then fail "info accepted a folder"; fi
grep -q "it is a folder" "$work/err" || fail "folder message"
# A named pipe would block a reader until someone writes to it: refused at once.
mkfifo "$work/pipe.dat"
if timeout 10 "$cli" info "$work/pipe.dat" 2>"$work/err"; then fail "info accepted a pipe"; fi
grep -q "it is a named pipe" "$work/err" || fail "pipe message"
echo "cli data files: all checks passed"
