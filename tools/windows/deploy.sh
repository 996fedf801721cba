#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The lumo3 authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Puts beside lumo3.exe (and the other programs in its folder) exactly the
# DLLs and Qt plugins they load: the Qt plugins they need, then every DLL
# that a program or a plugin imports, and what those import in turn, found in the cached Qt prefix or among
# MinGW's runtime DLLs. What is found in neither is Windows' own. All are
# stripped of their debugging symbols.
#   tools/windows/deploy.sh FOLDER      (the folder that holds lumo3.exe)
# LUMO_WINDOWS_PREFIX names the cached prefix (tools/windows/windows-libraries.sh).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tools/windows/common.sh
. "$here/common.sh"
prefix=${LUMO_WINDOWS_PREFIX:-$prefix}
folder=$1
[ -f "$folder/lumo3.exe" ] || { echo "deploy: no lumo3.exe in $folder" >&2; exit 1; }

mapfile -t search < <(echo "$prefix/bin"; mingw_runtime_folders)

imports() {
  x86_64-w64-mingw32-objdump -p "$1" | awk '/DLL Name:/ { print $3 }'
}

# The path of a DLL that is ours to ship, or nothing if it is Windows' own.
find_dll() {
  local dir found
  for dir in "${search[@]}"; do
    found=$(find "$dir" -maxdepth 1 -iname "$1" -print -quit)
    if [ -n "$found" ]; then
      echo "$found"
      return
    fi
  done
}

# The plugins, each with the Qt library that loads it: taken only when the
# program imports that library.
plugins=(
  "Qt6Gui.dll platforms/qwindows.dll"
  "Qt6Widgets.dll styles/qwindowsvistastyle.dll"
  "Qt6Gui.dll imageformats/qgif.dll"
  "Qt6Gui.dll imageformats/qico.dll"
  "Qt6Gui.dll imageformats/qjpeg.dll"
  "Qt6Sql.dll sqldrivers/qsqlite.dll"
  "Qt6Sql.dll sqldrivers/qsqlpsql.dll"
  "Qt6Multimedia.dll multimedia/windowsmediaplugin.dll"
)

declare -A shipped=() windows=()
queue=("$folder"/*.exe)

# Walks the imports of everything in the queue, copying each DLL once.
walk() {
  while [ ${#queue[@]} -gt 0 ]; do
    local file=${queue[0]} dll key path
    queue=("${queue[@]:1}")
    for dll in $(imports "$file"); do
      key=${dll,,}
      if [ -n "${shipped[$key]:-}" ] || [ -n "${windows[$key]:-}" ]; then
        continue
      fi
      path=$(find_dll "$dll")
      if [ -z "$path" ]; then
        windows[$key]=1
        continue
      fi
      cp "$path" "$folder/"
      shipped[$key]=$dll
      queue+=("$folder/$(basename "$path")")
    done
  done
}

walk
for entry in "${plugins[@]}"; do
  read -r library plugin <<<"$entry"
  [ -n "${shipped[${library,,}]:-}" ] || continue
  [ -f "$prefix/plugins/$plugin" ] || { echo "deploy: $plugin is missing from $prefix" >&2; exit 1; }
  mkdir -p "$folder/$(dirname "$plugin")"
  cp "$prefix/plugins/$plugin" "$folder/$plugin"
  queue+=("$folder/$plugin")
done
walk

# Debugging symbols stay in the build: the libraries as copied carry them.
find "$folder" \( -name '*.dll' -o -name '*.exe' \) -exec x86_64-w64-mingw32-strip --strip-unneeded {} +

echo "deploy: ${#shipped[@]} DLLs beside lumo3.exe: $(printf '%s ' "${shipped[@]}" | tr ' ' '\n' | sort -f | tr '\n' ' ')" >&2
echo "deploy: Windows' own: $(printf '%s\n' "${!windows[@]}" | sort | tr '\n' ' ')" >&2
