#!/bin/sh
# SPDX-FileCopyrightText: 2026 The lumo3 authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Redraws every picture of the game into assets/icon and assets/pictures.
# Needs qt6-base-dev, cmake, ninja-build, imagemagick and fonts-noto-color-emoji.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$root/build/tools

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target make_pictures
