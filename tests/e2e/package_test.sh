#!/usr/bin/env bash
# The Debian package of this build tree: built by CPack, named ventrel_VERSION_ARCH.deb,
# its dependencies from shlibs, the files where the desktop and the programs look for
# them; unpacked into a temporary root, its ventrel-cli runs and finds its files under
# the root's share/ventrel, not beside the build. Skipped where dpkg-deb is missing.
set -euo pipefail
build=$1
version=$2
skip() { echo "SKIPPED: $*"; exit 77; }
fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in dpkg-deb dpkg-shlibdeps cpack; do
  command -v "$tool" >/dev/null || skip "$tool is missing (scripts/setup installs dpkg-dev)"
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Quick, not small: no compression and no stripping of the sanitizer build's programs.
cpack --config "$build/CPackConfig.cmake" -B "$work/out" \
  -D CPACK_DEBIAN_COMPRESSION_TYPE=none -D CPACK_STRIP_FILES=OFF >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack"; }
deb=$work/out/ventrel_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $(basename "$deb"): $(ls "$work/out")"

depends=$(dpkg-deb -f "$deb" Depends)
for library in qt6-qpa-plugins libqt6widgets6 libqt6serialport6 libqt6datavisualization6 libcups2 libc6; do
  [[ $depends == *"$library"* ]] || fail "Depends lacks $library: $depends"
done

# What the runs below do not reach.
dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\./|/|' >"$work/files"
for file in /usr/bin/ventrel-sim /usr/share/ventrel/{Quillon_CylTrim_Chart.oc3,Quillon_JX_Retard_Chart.oc3} \
  /usr/share/ventrel/{Ventrel_Help.html,Marrowby_Logo.gif} /usr/share/icons/hicolor/{16x16,256x256}/apps/ventrel.png \
  /usr/share/metainfo/example.marrowby.Ventrel.metainfo.xml /usr/share/doc/ventrel/{copyright,changelog.gz}; do
  grep -qx "$file" "$work/files" || fail "the package has no $file"
done

root=$work/root
dpkg-deb -x "$deb" "$root"
grep -qx "Exec=ventrel %f" "$root/usr/share/applications/ventrel.desktop" || fail "desktop entry Exec"
grep -q "^MimeType" "$root/usr/share/applications/ventrel.desktop" && fail "the desktop entry claims a MIME type"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$root/usr/share/applications/ventrel.desktop" || fail "desktop entry"
fi
zcat "$root/usr/share/man/man1/ventrel-cli.1.gz" | grep -q "^print FILE.dat" || fail "manual page"

cli=$root/usr/bin/ventrel-cli
[ "$("$cli" --version)" = "Ventrel Version ${version}0" ] || fail "ventrel-cli --version"
"$cli" new --edition jx "$work/t.dat" >/dev/null || fail "ventrel-cli new"
[ "$(stat -c %s "$work/t.dat")" = 1360 ] || fail "the new data file is not 1360 bytes"
# The chart template is read from the unpacked share/ventrel; only OpenGL is missing here.
QT_QPA_PLATFORM=offscreen "$cli" print "$work/t.dat" front --pdf "$work/f.pdf" 2>"$work/err" ||
  { cat "$work/err" >&2; fail "ventrel-cli print"; }
grep -q "no OpenGL" "$work/err" || { cat "$work/err" >&2; fail "the chart template was not found"; }
"$root/usr/bin/ventrel" --help | grep -q "FILE.dat" || fail "ventrel --help"
echo "package test passed: $(basename "$deb")"
