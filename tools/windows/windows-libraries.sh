#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The lumo3 authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds, once, the libraries the Windows program needs, from Debian's own
# source packages, with Debian's MinGW-w64: Qt (base, shader tools,
# multimedia, the SQLite and PostgreSQL drivers), SQLite, OpenSSL, libpq,
# zlib's and libxlsxwriter. They go into a cache folder outside the checkout;
# a later run rebuilds only what changed version.
#
#   tools/windows/windows-libraries.sh      prints the prefix when done
#
#   tools/windows/windows-libraries.sh --check   builds nothing: fails unless
#                                               every library is built and current
# LUMO_WINDOWS_CACHE sets the cache folder (default ~/.cache/lumo3-windows).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tools/windows/common.sh
. "$here/common.sh"

jobs=$(nproc)
sources=$cache/sources
builds=$cache/builds

# The recipe's own revision: bump it when a step below changes its output.
recipe=3

log() { printf '[windows libraries] %s\n' "$*" >&2; }

stamp_of() { cat "$prefix/.stamps/$1" 2>/dev/null || true; }
is_built() { [ "$(stamp_of "$1")" = "$2 r$recipe" ]; }
check_only=false
# In --check mode a library that would be built ends the run instead.
needs_build() {
  if $check_only; then
    log "$1 is not built or not current in $prefix"
    exit 1
  fi
}
mark_built() { echo "$2 r$recipe" >"$prefix/.stamps/$1"; }

# Unpacks a Debian source package (with Debian's patches) and prints its folder.
debian_source() {
  local package=$1 version
  version=$(source_version "$package")
  local folder=$sources/$package-$version
  if [ ! -f "$folder/.unpacked" ]; then
    rm -rf "$folder" && mkdir -p "$folder"
    (cd "$folder" && apt-get source -qq "$package=$version" >/dev/null 2>&1) \
      || { log "apt-get source $package=$version failed: is a deb-src entry for bookworm main set up?"; exit 1; }
    touch "$folder/.unpacked"
  fi
  local tree
  tree=$(find "$folder" -mindepth 1 -maxdepth 1 -type d | head -n1)
  echo "$tree"
}

toolchain=$here/mingw.cmake
qt_toolchain=$prefix/lib/cmake/Qt6/qt.toolchain.cmake

build_zlib() {
  # Debian ships zlib for MinGW as a package; copied so the prefix is whole.
  local version
  version=$(dpkg-query -W -f='${Version}' libz-mingw-w64-dev)
  is_built zlib "$version" && return
  needs_build zlib
  log "zlib $version"
  cp -a /usr/x86_64-w64-mingw32/include/zlib.h /usr/x86_64-w64-mingw32/include/zconf.h "$prefix/include/"
  cp -a /usr/x86_64-w64-mingw32/lib/libz.* "$prefix/lib/"
  cp -a /usr/x86_64-w64-mingw32/lib/zlib1.dll "$prefix/bin/"
  mark_built zlib "$version"
}

build_sqlite() {
  local version tree
  version=$(source_version sqlite3)
  is_built sqlite "$version" && return
  needs_build sqlite
  log "SQLite $version"
  tree=$(debian_source sqlite3)
  local out=$builds/sqlite
  rm -rf "$out" && mkdir -p "$out"
  # The amalgamation is generated on this machine, then compiled for Windows.
  (cd "$out" && "$tree/configure" --disable-tcl >/dev/null && make -s sqlite3.c sqlite3.h >/dev/null)
  x86_64-w64-mingw32-gcc-posix -O2 -shared -o "$out/sqlite3.dll" "$out/sqlite3.c" \
    -DSQLITE_ENABLE_COLUMN_METADATA -DSQLITE_ENABLE_FTS5 -DSQLITE_THREADSAFE=1 \
    -DSQLITE_API=__declspec\(dllexport\) -Wl,--out-implib,"$out/libsqlite3.dll.a"
  cp "$out/sqlite3.h" "$tree/src/sqlite3ext.h" "$prefix/include/" 2>/dev/null || cp "$out/sqlite3.h" "$prefix/include/"
  cp "$out/sqlite3.dll" "$prefix/bin/"
  cp "$out/libsqlite3.dll.a" "$prefix/lib/"
  mark_built sqlite "$version"
}

build_openssl() {
  local version tree
  version=$(source_version openssl)
  is_built openssl "$version" && return
  needs_build openssl
  log "OpenSSL $version"
  tree=$(debian_source openssl)
  local out=$builds/openssl
  rm -rf "$out" && cp -a "$tree" "$out"
  (cd "$out" && ./Configure mingw64 --cross-compile-prefix=x86_64-w64-mingw32- --prefix="$prefix" \
    --libdir=lib no-tests no-engine no-legacy shared >/dev/null \
    && make -s -j"$jobs" build_libs >/dev/null 2>&1 \
    && make -s install_dev install_runtime_libs >/dev/null 2>&1) \
    || { log "OpenSSL build failed in $out"; exit 1; }
  mark_built openssl "$version"
}

build_libpq() {
  local version tree
  version=$(source_version postgresql-15)
  is_built libpq "$version" && return
  needs_build libpq
  log "libpq (PostgreSQL $version)"
  tree=$(debian_source postgresql-15)
  local out=$builds/postgresql
  rm -rf "$out" && mkdir -p "$out"
  (cd "$out" && CC=x86_64-w64-mingw32-gcc-posix CPPFLAGS="-I$prefix/include" LDFLAGS="-L$prefix/lib" \
    "$tree/configure" --host=x86_64-w64-mingw32 --prefix="$prefix" --with-ssl=openssl \
    --without-readline --without-zlib --without-icu --without-llvm >/dev/null \
    && make -s -C src/include >/dev/null && make -s -C src/common >/dev/null \
    && make -s -C src/port >/dev/null && make -s -C src/interfaces/libpq -j"$jobs" >/dev/null \
    && make -s -C src/interfaces/libpq install >/dev/null \
    && make -s -C src/include install >/dev/null)
  # PostgreSQL installs its DLL into lib/; programs look beside themselves.
  cp "$prefix/lib/libpq.dll" "$prefix/bin/"
  mark_built libpq "$version"
}

build_qtbase() {
  local version tree
  version=$(source_version qt6-base)
  is_built qtbase "$version" && return
  needs_build qtbase
  log "qtbase $version (about 45 minutes on two cores)"
  tree=$(debian_source qt6-base)
  # Debian's source leaves out the tablet headers; Wine's serve (see wintab.h).
  mkdir -p "$tree/src/3rdparty/wintab"
  cp /usr/include/wine/wine/windows/wintab.h "$tree/src/3rdparty/wintab/wine_wintab.h"
  cp /usr/include/wine/wine/windows/pktdef.h "$tree/src/3rdparty/wintab/pktdef.h"
  cp "$here/wintab.h" "$tree/src/3rdparty/wintab/wintab.h"
  local out=$builds/qtbase
  rm -rf "$out" && mkdir -p "$out"
  cmake -S "$tree" -B "$out" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DLUMO_WINDOWS_PREFIX="$prefix" -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_BUILD_TYPE=Release -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
    -DFEATURE_dbus=OFF -DFEATURE_sql_odbc=OFF -DFEATURE_sql_psql=OFF \
    -DFEATURE_sql_sqlite=OFF -DFEATURE_sql_mysql=OFF -DFEATURE_openssl=OFF \
    -DFEATURE_system_zlib=OFF >"$out/configure.log" 2>&1 \
    || { log "qtbase configure failed: $out/configure.log"; exit 1; }
  nice cmake --build "$out" -j"$jobs" >"$out/build.log" 2>&1 \
    || { log "qtbase build failed: $out/build.log"; exit 1; }
  cmake --install "$out" >/dev/null
  mark_built qtbase "$version"
}

build_sql_drivers() {
  local version tree
  version="$(source_version qt6-base) $(stamp_of sqlite) $(stamp_of libpq)"
  is_built sqldrivers "$version" && return
  needs_build sqldrivers
  log "Qt's SQLite and PostgreSQL drivers"
  tree=$(debian_source qt6-base)
  local out=$builds/sqldrivers
  rm -rf "$out" && mkdir -p "$out"
  cmake -S "$tree/src/plugins/sqldrivers" -B "$out" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$qt_toolchain" -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH="$prefix" \
    -DFEATURE_system_sqlite=ON -DFEATURE_sql_sqlite=ON -DFEATURE_sql_psql=ON \
    -DFEATURE_sql_odbc=OFF -DFEATURE_sql_mysql=OFF -DFEATURE_sql_ibase=OFF \
    -DFEATURE_sql_oci=OFF -DFEATURE_sql_db2=OFF \
    -DSQLite3_INCLUDE_DIR="$prefix/include" -DSQLite3_LIBRARY="$prefix/lib/libsqlite3.dll.a" \
    -DPostgreSQL_INCLUDE_DIR="$prefix/include" -DPostgreSQL_ROOT="$prefix" \
    >"$out/configure.log" 2>&1 || { log "SQL drivers configure failed: $out/configure.log"; exit 1; }
  grep -q 'qsqlite' <(cmake --build "$out" -j"$jobs" -v 2>&1 | tee "$out/build.log") \
    || { log "SQL drivers build failed: $out/build.log"; exit 1; }
  cmake --install "$out" >/dev/null
  [ -f "$prefix/plugins/sqldrivers/qsqlite.dll" ] && [ -f "$prefix/plugins/sqldrivers/qsqlpsql.dll" ] \
    || { log "SQL drivers missing after the build: $out/build.log"; exit 1; }
  mark_built sqldrivers "$version"
}

build_shadertools() {
  local version tree
  version=$(source_version qt6-shadertools)
  is_built shadertools "$version" && return
  needs_build shadertools
  log "Qt Shader Tools $version"
  tree=$(debian_source qt6-shadertools)
  local out=$builds/shadertools
  rm -rf "$out" && mkdir -p "$out"
  cmake -S "$tree" -B "$out" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$qt_toolchain" \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF >"$out/configure.log" 2>&1 \
    || { log "shader tools configure failed: $out/configure.log"; exit 1; }
  nice cmake --build "$out" -j"$jobs" >"$out/build.log" 2>&1 \
    || { log "shader tools build failed: $out/build.log"; exit 1; }
  cmake --install "$out" >/dev/null
  mark_built shadertools "$version"
}

build_multimedia() {
  local version tree
  version=$(source_version qt6-multimedia)
  is_built multimedia "$version" && return
  needs_build multimedia
  log "Qt Multimedia $version"
  tree=$(debian_source qt6-multimedia)
  local out=$builds/multimedia
  rm -rf "$out" && mkdir -p "$out/case"
  # Windows headers are named with capitals in the source; MinGW's are lower case.
  local h
  for h in Mferror Mfidl Mfreadwrite Wmcodecdsp Dbt InitGuid Functiondiscoverykeys_devpkey \
    Mfapi Mfobjects Propvarutil Mmdeviceapi Audioclient Ks Ksmedia Evr Evr9 D3d9 Dxva2api; do
    local lower=/usr/x86_64-w64-mingw32/include/${h,,}.h
    [ -f "$lower" ] && ln -sf "$lower" "$out/case/$h.h"
  done
  ln -sf "$prefix/include/QtCore/qurl.h" "$out/case/QUrl.h"
  local lib=/usr/x86_64-w64-mingw32/lib
  cmake -S "$tree" -B "$out" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$qt_toolchain" \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DCMAKE_CXX_FLAGS="-I$out/case" \
    -DFEATURE_ffmpeg=OFF -DFEATURE_gstreamer=OFF \
    -DWMF_MF_LIBRARY="$lib/libmf.a" -DWMF_MFUUID_LIBRARY="$lib/libmfuuid.a" \
    -DWMF_MFPLAT_LIBRARY="$lib/libmfplat.a" -DWMF_MFCORE_LIBRARY="$lib/libmfcore.a" \
    -DWMF_PROPSYS_LIBRARY="$lib/libpropsys.a" -DWMF_STRMIIDS_LIBRARY="$lib/libstrmiids.a" \
    -DWMF_AMSTRMID_LIBRARY="$lib/libstrmiids.a" -DWMF_DMOGUIDS_LIBRARY="$lib/libdmoguids.a" \
    -DWMF_MFREADWRITE_LIBRARY="$lib/libmfreadwrite.a" -DWMF_WMCODECDSPUUID_LIBRARY="$lib/libwmcodecdspuuid.a" \
    >"$out/configure.log" 2>&1 || { log "multimedia configure failed: $out/configure.log"; exit 1; }
  nice cmake --build "$out" -j"$jobs" >"$out/build.log" 2>&1 \
    || { log "multimedia build failed: $out/build.log"; exit 1; }
  cmake --install "$out" >/dev/null
  mark_built multimedia "$version"
}

build_xlsxwriter() {
  local version tree
  version=$(source_version libxlsxwriter)
  is_built xlsxwriter "$version" && return
  needs_build xlsxwriter
  log "libxlsxwriter $version"
  tree=$(debian_source libxlsxwriter)
  local out=$builds/xlsxwriter
  rm -rf "$out" && mkdir -p "$out"
  cmake -S "$tree" -B "$out" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DLUMO_WINDOWS_PREFIX="$prefix" -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON -DBUILD_TESTS=OFF -DBUILD_EXAMPLES=OFF \
    -DZLIB_INCLUDE_DIR="$prefix/include" -DZLIB_LIBRARY="$prefix/lib/libz.dll.a" \
    >"$out/configure.log" 2>&1 || { log "libxlsxwriter configure failed: $out/configure.log"; exit 1; }
  cmake --build "$out" -j"$jobs" >"$out/build.log" 2>&1 \
    || { log "libxlsxwriter build failed: $out/build.log"; exit 1; }
  cmake --install "$out" >/dev/null
  mark_built xlsxwriter "$version"
}

main() {
  local qt_version
  qt_version=$(source_version qt6-base)
  # A new qtbase means everything built on it is built again.
  if [ -n "$(stamp_of qtbase)" ] && ! is_built qtbase "$qt_version"; then
    needs_build qtbase
    log "qtbase changed version: building every library again"
    rm -rf "$prefix" && mkdir -p "$prefix/.stamps"
  fi
  mkdir -p "$prefix/include" "$prefix/lib" "$prefix/bin"
  build_zlib
  build_sqlite
  build_openssl
  build_libpq
  build_qtbase
  build_sql_drivers
  build_shadertools
  build_multimedia
  build_xlsxwriter
  echo "$prefix"
}

if [ "${1:-}" = "--check" ]; then
  check_only=true
  [ -f "$prefix/.stamps/qtbase" ] || { log "no Windows libraries in $prefix"; exit 1; }
  main >/dev/null
  exit
fi
mkdir -p "$sources" "$builds" "$prefix/.stamps"
if [ "${1:-}" = "--only" ]; then
  shift
  mkdir -p "$prefix/include" "$prefix/lib" "$prefix/bin"
  for step in "$@"; do "build_$step"; done
else
  main
fi
