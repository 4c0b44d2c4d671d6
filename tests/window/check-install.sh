#!/bin/sh
# Installs the build into a scratch prefix and checks the desktop integration: program, icon,
# .desktop entry and the *.mv1 MIME type bound to the program.
set -eu
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
test -x "$prefix/bin/morvale1"
test -f "$prefix/share/icons/hicolor/48x48/apps/morvale1.png"
desktop-file-validate "$prefix/share/applications/morvale1.desktop"
grep -q '^Exec=morvale1 %f$' "$prefix/share/applications/morvale1.desktop"
grep -q '<glob pattern="\*.mv1"/>' "$prefix/share/mime/packages/morvale1.xml"
grep -q '^application/x-morvale1-document=morvale1.desktop;$' "$prefix/share/applications/mimeinfo.cache"
grep -q 'application/x-morvale1-document' "$prefix/share/mime/globs2"
echo "desktop integration installed"
