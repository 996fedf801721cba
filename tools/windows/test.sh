#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The lumo3 authors
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows build tested under Wine, on this Debian machine:
#  1. the installer made (tools/windows/build.sh) and every QtTest program
#     cross-built and run under Wine by CTest (the windows preset), offscreen;
#  2. the layout's fonts checked with Windows' own font matching (Wine's
#     GDI on a private X screen), where bitmap fonts are met;
#  3. end to end, on a private X screen: the installer run silently into a
#     fresh Wine folder, the program started from its Start-menu shortcut,
#     a question played, the program left, the results file read.
# Needs the cached Windows libraries (tools/windows/windows-libraries.sh).
set -euo pipefail
cd "$(dirname "$0")/../.."
# shellcheck source=tools/windows/common.sh
. tools/windows/common.sh

bash tools/setup-packages.sh wine wine64 fonts-wine fonts-thai-tlwg xvfb xauth xdotool imagemagick \
  sqlite3 python3
bash tools/windows/build.sh
LUMO_WINDOWS_PREFIX=$prefix
export LUMO_WINDOWS_PREFIX WINEDEBUG=-all
build=$PWD/build/windows
nice cmake --build --preset windows

# A Windows folder as a school's computer has it: Wine's own Tahoma (which
# has no Thai) and bitmap MS Sans Serif, and Debian's Thai fonts installed.
make_wine_folder() {
  export WINEPREFIX=$1
  rm -rf "$WINEPREFIX"
  wineboot --init >/dev/null 2>&1
  local fonts=$WINEPREFIX/drive_c/windows/Fonts
  cp /usr/share/fonts/truetype/tlwg/*.ttf "$fonts/"
  cp /usr/share/wine/fonts/{tahoma,tahomabd,ms_sans_serif}.ttf /usr/share/wine/fonts/sserife.fon "$fonts/"
  wineserver --wait
}

echo "== The QtTest programs under Wine"
make_wine_folder "$build/wine"
QT_QPA_PLATFORM=offscreen ctest --preset windows -j2

# A private X screen twice the layout's size, for the rest.
display=:$((100 + RANDOM % 400))
Xvfb "$display" -screen 0 1586x1186x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; wineserver -k 2>/dev/null || true' EXIT
export DISPLAY=$display
sleep 1

echo "== The layout's fonts with Windows' font matching"
tools/windows/run-under-wine.sh "$build/test_layout.exe" -platform windows \
  thaiTextRendersWithAThaiFontRatherThanBoxes

echo "== End to end: installed silently, played, results read"
wineserver -k 2>/dev/null || true
make_wine_folder "$build/wine-e2e"
version=$(sed -n 's/^project(lumo3 VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
wine "$build/lumo3-$version-setup.exe" /S
installed=$WINEPREFIX/drive_c/Program\ Files/lumo3
[ -f "$installed/lumo3.exe" ] && [ -f "$installed/platforms/qwindows.dll" ] \
  || { echo "FAIL: the silent install left no program in Program Files" >&2; exit 1; }
wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\lumo3' /v DisplayVersion \
  | grep -q "$version" || { echo "FAIL: Windows does not list the program" >&2; exit 1; }
printf 'version: %s\n' "$(wine "$installed/lumo3.exe" --version | tr -d '\r')"
# The computer's settings file for the room: the game fullscreen.
mkdir -p "$WINEPREFIX/drive_c/ProgramData/lumo3"
printf '[class]\nfullscreen=true\n' >"$WINEPREFIX/drive_c/ProgramData/lumo3/lumo3.conf"
start_menu='C:\ProgramData\Microsoft\Windows\Start Menu\Programs'
roaming=$(find "$WINEPREFIX/drive_c/users" -maxdepth 3 -type d -path '*/AppData/Roaming' | head -n1)
rm -rf "$build/wine-shots"
python3 tools/windows/play_under_wine.py --layouts assets/layout --shots "$build/wine-shots" \
  --shortcut "$start_menu\\นับเลขกับพี่ปิโก.lnk" --results "$roaming/lumo3/results.sqlite"
echo "Screenshots: $build/wine-shots"

echo "== Uninstalled silently"
wine "$installed/uninstall.exe" /S
wineserver --wait
[ ! -e "$installed/lumo3.exe" ] || { echo "FAIL: the uninstaller left the program" >&2; exit 1; }
[ -f "$roaming/lumo3/results.sqlite" ] || { echo "FAIL: the uninstaller took the results" >&2; exit 1; }
echo "Windows tests under Wine: all passed"
