# SPDX-FileCopyrightText: 2026 The lumo3 authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the Windows scripts: where the cached libraries live and which
# Debian packages the Windows build needs.
# shellcheck shell=bash

cache=${LUMO_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/lumo3-windows}
# One prefix per MinGW compiler: a new compiler means a new prefix.
mingw_version=$(dpkg-query -W -f='${Version}' g++-mingw-w64-x86-64-posix 2>/dev/null || echo none)
prefix=$cache/prefix-gcc${mingw_version%%-*}

windows_packages=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools
  libz-mingw-w64-dev libwine-dev qt6-base-dev qt6-base-dev-tools qt6-l10n-tools
  qt6-shader-baker qt6-shadertools-dev dpkg-dev cmake ninja-build tcl make perl nsis)

# The folders of MinGW's runtime DLLs (libstdc++, libgcc, winpthread).
mingw_runtime_folders() {
  dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)"
  echo /usr/x86_64-w64-mingw32/lib
}

# The version of a Debian source package that apt would fetch.
source_version() {
  apt-cache showsrc "$1" 2>/dev/null | awk '/^Version:/ { print $2; exit }'
}

# Adds a deb-src entry for Debian's main archive when there is none.
ensure_source_packages() {
  if apt-cache showsrc qt6-base 2>/dev/null | grep -q '^Version:'; then
    return
  fi
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  echo "Adding Debian's source packages (deb-src bookworm main)" >&2
  "${sudo[@]}" tee /etc/apt/sources.list.d/lumo3-deb-src.sources >/dev/null <<'SOURCES'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
  "${sudo[@]}" apt-get update -q
}
