#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# cpack -G DEB, then: the dependencies came from the shared libraries, the files are where a
# desktop looks for them, and the unpacked program starts and tells its version.
#   deb_package_test.sh <cpack> <build folder> <version>
set -eu
cpack="$1" build="$2" version="$3"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; exit 1; }
deb="$work/out/brisvane_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { echo "no package at $deb"; ls "$work/out"; exit 1; }

depends="$(dpkg-deb -f "$deb" Depends)"
for needed in libqt6widgets6 libsecret-1-0 libssl3 libzxing libxkbcommon-x11-0 libcanberra0 qt6-qpa-plugins; do
    echo "$depends" | grep -q "$needed" || { echo "Depends lacks $needed: $depends"; exit 1; }
done

dpkg -x "$deb" "$work/root"
for file in usr/bin/brisvane usr/share/applications/org.brisvane.Brisvane.desktop \
    usr/share/metainfo/org.brisvane.Brisvane.metainfo.xml usr/share/icons/hicolor/scalable/apps/org.brisvane.Brisvane.svg \
    usr/share/man/man1/brisvane.1 usr/share/doc/brisvane/LICENSE usr/share/brisvane/translations/brisvane_de.qm; do
    [ -e "$work/root/$file" ] || { echo "missing from the package: /$file"; exit 1; }
done

said="$("$work/root/usr/bin/brisvane" --version)"
[ "$said" = "brisvane $version" ] || { echo "--version said: $said"; exit 1; }
