#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The lumo3 authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a program as a native Wayland client of a Weston of its own: headless
# (no display, no input devices, no GPU), in a private runtime folder, with
# no config file so that nothing of the user's desktop is read. Works as root.
# Usage: run_under_weston.sh PROGRAM [ARGUMENT...]
set -euo pipefail

missing=()
for package in weston qt6-wayland; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "The Wayland test needs the Debian packages: ${missing[*]} (tools/test.sh installs them)" >&2
  exit 1
fi

runtime=$(mktemp -d "${TMPDIR:-/tmp}/lumo-wayland.XXXXXX")
chmod 700 "$runtime"
socket=lumo-wayland
weston_pid=

stop_weston() {
  if [ -n "$weston_pid" ]; then
    kill "$weston_pid" 2>/dev/null || true
    wait "$weston_pid" 2>/dev/null || true
  fi
  rm -rf "$runtime"
}
trap stop_weston EXIT

# No idle time: a compositor that blanks its output stops asking clients for
# frames, and a slow run (the sanitizer build) would then stall.
env -u DISPLAY -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$runtime" \
  weston --backend=headless-backend.so --use-pixman --width=1920 --height=1080 \
  --socket="$socket" --no-config --idle-time=0 --log="$runtime/weston.log" </dev/null &
weston_pid=$!

for _ in $(seq 200); do
  [ -S "$runtime/$socket" ] && break
  if ! kill -0 "$weston_pid" 2>/dev/null; then
    weston_pid=
    break
  fi
  sleep 0.05
done
if [ ! -S "$runtime/$socket" ]; then
  echo "Weston did not open its socket $runtime/$socket; its log:" >&2
  cat "$runtime/weston.log" >&2 2>/dev/null || true
  exit 1
fi

status=0
env -u DISPLAY XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland \
  "$@" || status=$?
if [ "$status" -ne 0 ]; then
  echo "--- Weston's log ---" >&2
  cat "$runtime/weston.log" >&2 2>/dev/null || true
fi
exit "$status"
