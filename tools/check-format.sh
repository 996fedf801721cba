#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The lumo3 authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a C++ source in the tree is not formatted by the tree's .clang-format.
#   tools/check-format.sh        check
#   tools/check-format.sh --fix  format in place
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup-packages.sh clang-format
mapfile -t sources < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${sources[@]}"
else
  clang-format --dry-run -Werror "${sources[@]}"
  echo "clang-format: ${#sources[@]} files formatted as .clang-format says"
fi
