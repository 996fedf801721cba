#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The lumo3 authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds the game and runs every test headless.
#   tools/test.sh          the normal build
#   tools/test.sh --asan   the build with AddressSanitizer and UndefinedBehaviorSanitizer
set -euo pipefail
cd "$(dirname "$0")/.."

preset=default
[ "${1:-}" = "--asan" ] && preset=asan

tools/setup-packages.sh cmake ninja-build g++ qt6-base-dev fonts-thai-tlwg \
  libqt6sql6-sqlite libqt6sql6-psql libpq-dev postgresql \
  libssl-dev libxlsxwriter-dev libfontconfig-dev pkg-config qt6-l10n-tools libreoffice-calc-nogui \
  xvfb xauth xdotool x11-xkb-utils imagemagick x11-utils dbus dbus-x11 at-spi2-core python3-pyatspi \
  desktop-file-utils appstream weston qt6-wayland openbox \
  qt6-multimedia-dev pulseaudio pulseaudio-utils

cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
QT_QPA_PLATFORM=offscreen ctest --preset "$preset" -j2
