#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# check_package.sh BUILD_DIR: validates the desktop entry and the AppStream
# data, builds the Debian package from the build, unpacks it into a scratch
# root and runs the programs installed there.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: check_package.sh BUILD_DIR}

desktop-file-validate res/desktop/*.desktop
appstreamcli validate --no-net --pedantic res/desktop/*.metainfo.xml
bash -n res/completion/velora-cli.bash

rm -f "$build"/velora_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/velora_*.deb)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"

depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libqt6gui6 libqt6core6; do
  grep -q "$library" <<<"$depends" || { echo "$deb: Depends lacks $library: $depends" >&2; exit 1; }
done
for file in usr/bin/velora usr/bin/velora-cli \
  usr/share/applications/com.orvane.velora.desktop \
  usr/share/metainfo/com.orvane.velora.metainfo.xml \
  usr/share/mime/packages/velora.xml \
  usr/share/icons/hicolor/scalable/apps/velora.svg \
  usr/share/icons/hicolor/48x48/apps/velora.png \
  usr/share/man/man1/velora.1.gz usr/share/man/man1/velora-cli.1.gz \
  usr/share/bash-completion/completions/velora-cli; do
  [ -e "$root/$file" ] || { echo "$deb: $file is missing" >&2; exit 1; }
done

version=$("$root/usr/bin/velora-cli" --version)
[ "$version" = "velora-cli $(dpkg-deb -f "$deb" Version)" ] || {
  echo "installed velora-cli --version says: $version" >&2
  exit 1
}
# The desktop program answers --version without a display.
env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/velora" --version >/dev/null
echo "$deb: $(dpkg-deb -f "$deb" Package) $(dpkg-deb -f "$deb" Version), installed and run"
