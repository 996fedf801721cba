#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The lumo3 authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a scratch folder and checks the installed tree:
# the program with its pictures beside it, the command link, the desktop
# entry and the AppStream metadata (both validated).
# usage: check_install.sh BUILD_DIR
set -euo pipefail

build=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
prefix=$root/some/where

cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "FAIL: $*" >&2; exit 1; }
[ -x "$prefix/lib/lumo3/lumo3" ] || fail "the program is not at lib/lumo3/lumo3"
[ -L "$prefix/bin/lumo3" ] || fail "bin/lumo3 is not a link"
[ "$(readlink -f "$prefix/bin/lumo3")" = "$(readlink -f "$prefix/lib/lumo3/lumo3")" ] \
  || fail "bin/lumo3 does not lead to the program"
for n in $(seq 1 30); do
  [ -s "$prefix/lib/lumo3/icon/$n.ico" ] || fail "icon/$n.ico missing beside the program"
done
for f in c01 c04 a01 a02; do
  [ -s "$prefix/lib/lumo3/icon/$f.gif" ] || fail "icon/$f.gif missing beside the program"
done
desktop=$prefix/share/applications/lumo3.desktop
[ -f "$desktop" ] || fail "no desktop entry"
grep -q '^Name\[th\]=' "$desktop" || fail "the desktop entry has no Thai name"
grep -q '^Exec=lumo3$' "$desktop" || fail "the desktop entry does not start lumo3"
[ -f "$prefix/share/icons/hicolor/128x128/apps/lumo3.png" ] || fail "no application icon"
metainfo=$prefix/share/metainfo/org.example.lumo3.metainfo.xml
[ -f "$metainfo" ] || fail "no AppStream metadata"

[ -s "$prefix/share/doc/lumo3/server-setup.sql" ] || fail "no set-up script for a school's server"
for f in copyright GPL-3.0-or-later.txt Apache-2.0.txt; do
  [ -s "$prefix/share/doc/lumo3/$f" ] || fail "no $f in the documentation folder"
done

desktop-file-validate "$desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net --pedantic "$metainfo" || fail "appstreamcli validate"

# Moving the whole tree keeps it working: the link is relative.
mv "$root/some" "$root/moved"
[ -x "$(readlink -f "$root/moved/where/bin/lumo3")" ] || fail "the link breaks when the tree moves"
echo "installed tree is complete and valid"
