#!/usr/bin/env bash
# Installs ZEPA as the desktop and Debian see it, and checks it with their own
# validators: desktop-file-validate, appstreamcli, update-mime-database,
# lintian and dpkg. A validator that is missing fails the test.
# Usage: check_install.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source_dir=$1
build_dir=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for tool in desktop-file-validate appstreamcli update-mime-database lintian dpkg dpkg-deb cpack; do
    command -v "$tool" > /dev/null || { echo "FAIL: $tool is not installed"; exit 1; }
done

# The desktop entry and the metainfo: no errors and no warnings.
desktop=$(desktop-file-validate "$source_dir/data/org.zepa.zepa.desktop" 2>&1 || true)
if grep -Eq 'error|warning' <<< "$desktop"; then fail "desktop-file-validate: $desktop"; fi
metainfo=$(appstreamcli validate --no-net --pedantic "$source_dir/data/org.zepa.zepa.metainfo.xml" 2>&1) \
    || fail "appstreamcli: $metainfo"
if grep -Eq '^ *[EW]:' <<< "$metainfo"; then fail "appstreamcli: $metainfo"; fi

# The MIME type: ZEPA's melody files are ZEPA's, MathML files stay MathML.
mkdir -p "$work/mime/packages"
cp /usr/share/mime/packages/freedesktop.org.xml "$source_dir/data/org.zepa.zepa.mime.xml" "$work/mime/packages/"
update-mime-database "$work/mime" 2> "$work/mime.log" || fail "update-mime-database: $(cat "$work/mime.log")"
grep -q 'text/x-zepa-mml' "$work/mime/types" || fail "the melody file type is not in the MIME database"
grep -q 'NQC' "$work/mime/magic" || fail "the melody file type has no magic rule"

# cmake --install puts every file where the desktop looks.
cmake --install "$build_dir" --prefix "$work/prefix" > /dev/null
for path in bin/zepa share/applications/org.zepa.zepa.desktop share/metainfo/org.zepa.zepa.metainfo.xml \
    share/mime/packages/org.zepa.zepa.xml share/icons/hicolor/scalable/apps/org.zepa.zepa.svg \
    share/icons/hicolor/16x16/apps/org.zepa.zepa.png share/icons/hicolor/48x48/apps/org.zepa.zepa.png \
    share/icons/hicolor/256x256/apps/org.zepa.zepa.png share/man/man1/zepa.1.gz share/man/ja/man1/zepa.1.gz \
    share/doc/zepa/Readme.txt share/doc/zepa/Readme.en.txt share/doc/zepa/copyright share/doc/zepa/Bravura-OFL.txt; do
    [ -f "$work/prefix/$path" ] || fail "cmake --install did not put $path"
done

# The Debian package: lintian finds no error.
(cd "$build_dir" && cpack -G DEB -B "$work/package" > "$work/cpack.log") || fail "cpack: $(cat "$work/cpack.log")"
package=$(ls "$work"/package/zepa_*.deb)
lintian_output=$(lintian --tag-display-limit 0 "$package" 2>&1 || true)
echo "$lintian_output"
if grep -q '^E:' <<< "$lintian_output"; then fail "lintian reports errors"; fi
dpkg-deb -f "$package" Depends | grep -q 'fonts-ipafont-gothic' || fail "the package does not depend on the font"
dpkg-deb -f "$package" Depends | grep -q 'libqt6widgets6' || fail "the package's library dependencies are missing"

# Installed into a fresh root, it is where the desktop looks, and it runs.
root="$work/root"
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
if ! dpkg --root="$root" --force-depends --force-not-root --log=/dev/null -i "$package" > "$work/dpkg.log" 2>&1; then
    echo "SKIP: dpkg cannot install into a root of its own here: $(tail -1 "$work/dpkg.log")"
    exit 77
fi
for path in usr/bin/zepa usr/share/applications/org.zepa.zepa.desktop usr/share/metainfo/org.zepa.zepa.metainfo.xml \
    usr/share/icons/hicolor/48x48/apps/org.zepa.zepa.png usr/share/doc/zepa/Readme.txt usr/share/doc/zepa/Readme.en.txt usr/share/man/man1/zepa.1.gz; do
    [ -f "$root/$path" ] || fail "the package did not install /$path"
done
version=$("$root/usr/bin/zepa" --version) || fail "zepa --version failed from the installed package"
[ "$version" = "ZEPA 1.3.2" ] || fail "zepa --version printed '$version'"
# The modules loaded when first needed are where the installed program looks:
# it reads a compressed MusicXML with the zip module.
for module in audio printing zip; do
    [ -f "$root/usr/lib/zepa/modules/libzepa_$module.so" ] || fail "the package did not install the $module module"
done
/usr/bin/python3 - "$work/song.mxl" << 'EOF_PYTHON'
import sys, zipfile
score = ('<?xml version="1.0" encoding="UTF-8"?><score-partwise version="3.0"><part-list>'
         '<score-part id="P1"><part-name>M</part-name></score-part></part-list><part id="P1"><measure number="1">'
         '<attributes><divisions>1</divisions></attributes><note><pitch><step>C</step><octave>5</octave></pitch>'
         '<duration>1</duration><type>quarter</type></note></measure></part></score-partwise>')
with zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_DEFLATED) as archive:
    archive.writestr('song.musicxml', score)
EOF_PYTHON
env -u ZEPA_MODULE_DIR "$root/usr/bin/zepa" mml "$work/song.mxl" "$work/song.mml" > "$work/zip.log" 2>&1 ||
    fail "the installed zepa could not read a .mxl: $(cat "$work/zip.log")"
dpkg --root="$root" --force-not-root --log=/dev/null -r zepa > /dev/null 2>&1 || fail "the package does not remove"
[ ! -e "$root/usr/bin/zepa" ] || fail "removing the package left /usr/bin/zepa"

if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "install, desktop files and package: all checks passed"
