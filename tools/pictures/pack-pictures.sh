#!/bin/sh
# SPDX-FileCopyrightText: 2026 The lumo3 authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Turns the PNG files written by draw_pictures into the game's picture files.
# usage: pack-pictures.sh PNG_FOLDER ASSETS_FOLDER
set -eu

png=$1
assets=$2
icon=$assets/icon
pictures=$assets/pictures

command -v convert >/dev/null || { echo "pack-pictures.sh: ImageMagick's convert is missing" >&2; exit 1; }
mkdir -p "$icon" "$pictures"

# An icon file with every size, 32x32 first (a reader that takes the first
# image gets the design size), 32 bits per pixel with alpha. The sizes are
# those draw_pictures.cpp draws (kIconSizes).
ico() {
    convert "$png/$1-32.png" "$png/$1-16.png" "$png/$1-48.png" "$png/$1-64.png" "$png/$1-128.png" \
        -strip -type TrueColorAlpha "$2"
}

# A GIF with one transparent colour; the pictures already have only fully
# transparent or fully opaque pixels.
gif() {
    convert "$png/$1.png" -strip +dither -colors 255 "$2"
}

# A picture and its larger variants NAME@2x, NAME@4x (whichever were drawn),
# each in the same format, beside each other.
withVariants() { # FORMAT NAME FOLDER
    $1 "$2" "$3/$2.${1}"
    for variant in "$png/$2"@*x.png; do
        [ -e "$variant" ] || continue
        name=$(basename "$variant" .png)
        $1 "$name" "$3/$name.${1}"
    done
}

n=1
while [ $n -le 30 ]; do
    ico "icon-$n" "$icon/$n.ico"
    n=$((n + 1))
done
for name in c01 c04 a01 a02; do
    withVariants gif $name "$icon"
done

for name in host exit cm1 cm46; do
    withVariants gif $name "$pictures"
done
ico placeholder "$pictures/placeholder.ico"
ico form1 "$pictures/form1.ico"
png() {
    convert "$png/$1.png" -strip -define png:exclude-chunks=date,time PNG32:"$2"
}
withVariants png cursor "$pictures"

# The application icon for the desktop entry, beside the packaging files.
packaging=$assets/../packaging/icons
mkdir -p "$packaging"
for size in 16 32 48 64 128 256; do
    png "app-$size" "$packaging/lumo3-$size.png"
done
