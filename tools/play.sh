#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The lumo3 authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds the game and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup-packages.sh cmake ninja-build g++ qt6-base-dev qt6-wayland fonts-thai-tlwg \
  libqt6sql6-sqlite libqt6sql6-psql libpq-dev libssl-dev libxlsxwriter-dev pkg-config qt6-l10n-tools \
  libfontconfig-dev \
  qt6-multimedia-dev
cmake --preset default >/dev/null
cmake --build --preset default
exec build/default/lumo3
