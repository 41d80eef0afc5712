#!/usr/bin/env bash
# ventrel-cli print: the parameter page and the table pages as PDF, read back with
# pdftotext -fixed: the texts are there, in their columns, and the table rows read as
# the grid shows them. On a virtual display the table printout starts with the chart.
set -euo pipefail
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
command -v pdftotext >/dev/null || fail "pdftotext missing: scripts/setup installs poppler-utils"

"$cli" new --edition jx "$work/t.dat" >/dev/null
"$cli" print "$work/t.dat" params --pdf "$work/p.pdf" --comment "SN 0042" 2>/dev/null
[ "$(pdfinfo "$work/p.pdf" | awk '/^Pages:/ {print $2}')" = 1 ] || fail "parameter page count"
pdftotext -fixed 6 "$work/p.pdf" "$work/p.txt"
# Column 10 of the page: where the heading starts.
left=$(awk '/Parameters Data Printed: / { print index($0, "Marrowby Quillon II JX Version Parameters") }' "$work/p.txt")
[ -n "$left" ] && [ "$left" -gt 0 ] || fail "heading line"
at() { # the text of the page starting at column (left + offset) on the line that has $1
  awk -v key="$1" -v from=$((left + $2)) 'index($0, key) { print substr($0, from); exit }' "$work/p.txt"
}
[ "$(at "Filename:" 0)" = "Filename: t.dat" ] || fail "filename line"
[ "$(at "Serial/Comment:" 0)" = "Serial/Comment: SN 0042" ] || fail "comment line"
[ "$(at "User Data:" 20)" = "Ventrel base tune" ] || fail "user data column"
[ "$(at "Quillon Basic Mode" 0)" = "Quillon Basic Mode Enabled" ] || fail "mode line"
for n in 1 9 10 11 19; do
  [ "$(at "Parameter $n:" 0 | cut -c1-$((${#n} + 11)))" = "Parameter $n:" ] || fail "parameter $n label"
  [ "$(at "Parameter $n:" 15)" = " 0" ] || fail "parameter $n value column"
done
grep -q "Firmware ID:" "$work/p.txt" && fail "a data file has no firmware ID line"

"$cli" print "$work/t.dat" front --pdf "$work/f.pdf" 2>"$work/err"
grep -q "the chart page is left out" "$work/err" || fail "no note about the missing chart"
[ "$(pdfinfo "$work/f.pdf" | awk '/^Pages:/ {print $2}')" = 1 ] || fail "table page count"
pdftotext -fixed 4.8 "$work/f.pdf" "$work/f.txt"
left=$(awk '/Data Printed: / { print index($0, "Marrowby Quillon II JX Version Front Cylinder Fuel Trim Table") }' "$work/f.txt")
[ -n "$left" ] && [ "$left" -gt 0 ] || fail "table heading"
# Each row: ten 8-character fields from column 10, each holding the grid's text.
awk -v left="$left" '/RPM\/TPS/ { rows = 1 } rows && rows <= 23 {
  line = ""
  for (f = 0; f < 10; f++) { field = substr($0, left + 8 * f, 8); gsub(/ /, "", field); line = line (f ? " " : "") field }
  print line; rows++ }' "$work/f.txt" >"$work/fields.txt"
"$cli" table "$work/t.dat" front | awk '{ $1 = $1; print }' >"$work/grid.txt"
diff "$work/grid.txt" "$work/fields.txt" >&2 || fail "table rows do not read back as the grid shows them"
[ "$(wc -l <"$work/fields.txt")" -eq 23 ] || fail "a JX table page has 23 rows"

"$cli" new --edition vosk "$work/v.dat" >/dev/null
if "$cli" print "$work/v.dat" retard --pdf "$work/r.pdf" 2>"$work/err"; then fail "first generation retard"; fi
grep -q "only Quillon II editions have a retard table" "$work/err" || fail "retard message"
set +e
# Neither --pdf nor --printer: the default printer, and here no print service gives one.
CUPS_SERVER=$work/no-service.sock "$cli" print "$work/t.dat" params 2>"$work/err"
[ $? -eq 1 ] || fail "printing without a printer is a failure"
grep -q "no default printer" "$work/err" || fail "no default printer message"
"$cli" print "$work/t.dat" params --pdf "$work/b.pdf" --printer p 2>/dev/null; [ $? -eq 2 ] || fail "--pdf and --printer"
"$cli" print "$work/t.dat" middle --pdf "$work/m.pdf" 2>/dev/null; [ $? -eq 2 ] || fail "unknown page"
"$cli" print "$work/t.dat" params --pdf "$work/t.dat" 2>"$work/err"; [ $? -eq 2 ] || fail "PDF over the data file"
set -e
[ "$(stat -c %s "$work/t.dat")" -eq 1360 ] || fail "the data file was overwritten"
if "$cli" print "$work/t.dat" params --pdf "$work/no such folder/p.pdf" 2>"$work/err"; then
  fail "an unwritable PDF reported success"
fi
grep -q "could not be written" "$work/err" || fail "unwritable PDF message"

if command -v xvfb-run >/dev/null; then
  # Mesa's allocations are not ours to leak-check.
  ASAN_OPTIONS=detect_leaks=0 xvfb-run -a env -u QT_QPA_PLATFORM \
    "$cli" print "$work/t.dat" rear --pdf "$work/c.pdf" 2>"$work/err"
  grep -q "left out" "$work/err" && fail "the chart page was left out on a display with GL"
  [ "$(pdfinfo "$work/c.pdf" | awk '/^Pages:/ {print $2}')" = 2 ] || fail "chart and table pages"
  pdftotext -f 1 -l 1 "$work/c.pdf" - | grep -q "Rear Cylinder Fuel Trim Table Data Printed: " ||
    fail "chart page heading"
  [ "$(pdfimages -list -f 1 -l 1 "$work/c.pdf" | tail -n +3 | wc -l)" -ge 1 ] || fail "no chart picture"
fi
echo "cli print: all checks passed"
