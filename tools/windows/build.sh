#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The lumo3 authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the Windows installer on Debian in one command:
#   tools/windows/build.sh        -> build/windows/lumo3-VERSION-setup.exe
# It installs the Debian packages it needs, builds once the libraries the
# program needs (tools/windows/windows-libraries.sh, kept in a cache outside
# the checkout; later runs reuse it), cross-builds the program with the
# windows preset, puts beside it the DLLs it loads and makes the installer.
set -euo pipefail
cd "$(dirname "$0")/../.."
# shellcheck source=tools/windows/common.sh
. tools/windows/common.sh

bash tools/setup-packages.sh "${windows_packages[@]}"
ensure_source_packages
LUMO_WINDOWS_PREFIX=$(bash tools/windows/windows-libraries.sh)
export LUMO_WINDOWS_PREFIX

build=build/windows
cmake --preset windows >/dev/null
nice cmake --build --preset windows --target lumo3 lumo_school_sync

stage=$build/stage
rm -rf "$stage"
cmake --install "$build" --prefix "$stage" >/dev/null
bash tools/windows/deploy.sh "$stage"

# The uninstaller removes exactly what was installed, deepest first.
list=$build/uninstall-list.nsh
{
  (cd "$stage" && find . -type f | sort) | while read -r file; do
    printf 'Delete "$INSTDIR\\%s"\n' "$(echo "${file#./}" | tr / '\\')"
  done
  (cd "$stage" && find . -mindepth 1 -type d | sort -r) | while read -r dir; do
    printf 'RMDir "$INSTDIR\\%s"\n' "$(echo "${dir#./}" | tr / '\\')"
  done
} >"$list"

version=$(sed -n 's/^project(lumo3 VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
installer=$build/lumo3-$version-setup.exe
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DSTAGE="$PWD/$stage" \
  -DUNINSTALL_LIST="$PWD/$list" -DICON="$PWD/packaging/windows/lumo3.ico" \
  -DOUTFILE="$PWD/$installer" packaging/windows/installer.nsi
echo "The installer: $installer ($(du -h "$installer" | cut -f1))"
