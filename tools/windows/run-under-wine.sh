#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The lumo3 authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a Windows program of the build under Wine: the emulator that the
# windows preset gives CTest, so that each test runs as it does on Linux.
#   run-under-wine.sh PROGRAM.exe [ARGUMENT...]
# WINEPREFIX names the Wine folder (tools/windows/test.sh makes one);
# LUMO_WINDOWS_PREFIX the cached Qt and libraries, whose DLLs are found
# through WINEPATH as a program installed with them finds them beside it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tools/windows/common.sh
. "$here/common.sh"
prefix=${LUMO_WINDOWS_PREFIX:-$prefix}

export WINEDEBUG=${WINEDEBUG:--all}
WINEPATH="$prefix/bin$(printf ';%s' $(mingw_runtime_folders))"
export WINEPATH
# Wine keeps Qt's variables (QT_...) of the Linux side from Windows
# programs; given as WINEQT_... they pass.
for name in $(compgen -e); do
  case $name in
    QT_*) export "WINE$name=${!name}" ;;
  esac
done
# A Windows program without a console window sends Qt's messages and the
# lines of QtTest to the debugger; to standard error and output instead.
export WINEQT_FORCE_STDERR_LOGGING=1
# A test function's time limit (QtTest's) doubled: Wine's own work, and the
# start of its services, come on top.
if [ -n "${QTEST_FUNCTION_TIMEOUT:-}" ]; then
  export QTEST_FUNCTION_TIMEOUT=$((QTEST_FUNCTION_TIMEOUT * 2))
fi
# Qt for Windows draws offscreen with FreeType from a folder of font files
# (by default one inside Qt): the Windows folder of fonts.
if [ "${QT_QPA_PLATFORM:-}" = offscreen ] && [ -z "${QT_QPA_FONTDIR:-}" ]; then
  export WINEQT_QPA_FONTDIR='C:\windows\Fonts'
fi
# The C runtime of Windows reads TZ in its own form (a name, then hours
# west of UTC): a zone such as Asia/Bangkok is given as its offset now.
if [[ ${TZ:-} == */* ]]; then
  offset=$(date +%z)
  west=$([ "${offset:0:1}" = + ] && echo - || echo +)
  TZ="UTC$west${offset:1:2}:${offset:3:2}"
  export TZ
fi
# Wine's own background programs, started by the first Windows program that
# needs them, keep its standard output open: read from files, not a pipe,
# so that whoever reads it is not kept waiting for them.
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
wine "$@" >"$out" 2>"$err" &
program=$!
# A QtTest program that has reported its last test but is still running a
# while later hangs on its way out (seen under Wine after a connection to
# the school's server from a worker thread): it is ended, and its report
# decides.
finished=
while kill -0 "$program" 2>/dev/null; do
  if [ -z "$finished" ] && grep -q '^\*\*\*\*\*\*\*\*\* Finished testing of' "$out" "$err"; then
    finished=$SECONDS
  fi
  if [ -n "$finished" ] && [ $((SECONDS - finished)) -ge 15 ]; then
    kill -KILL "$program" 2>/dev/null || true
    wait "$program" 2>/dev/null || true
    cat "$out"
    cat "$err" >&2
    echo "run-under-wine: $1 still ran 15 s after its last test and was ended" >&2
    grep -q '^Totals: [0-9]* passed, 0 failed' "$out" "$err"
    exit
  fi
  sleep 0.2
done
status=0
wait "$program" || status=$?
cat "$out"
cat "$err" >&2
exit "$status"
