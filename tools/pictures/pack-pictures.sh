#!/bin/sh
# Turns the PNG files written by draw_pictures into the game's picture files.
# usage: pack-pictures.sh PNG_FOLDER ASSETS_FOLDER
set -eu

png=$1
assets=$2
icon=$assets/icon
pictures=$assets/pictures

command -v convert >/dev/null || { echo "pack-pictures.sh: ImageMagick's convert is missing" >&2; exit 1; }
mkdir -p "$icon" "$pictures"

# A two-size icon file, 32x32 first, 32 bits per pixel with alpha.
ico() {
    convert "$png/$1-32.png" "$png/$1-16.png" -strip -type TrueColorAlpha "$2"
}

# A GIF with one transparent colour; the pictures already have only fully
# transparent or fully opaque pixels.
gif() {
    convert "$png/$1.png" -strip +dither -colors 255 "$2"
}

n=1
while [ $n -le 30 ]; do
    ico "icon-$n" "$icon/$n.ico"
    n=$((n + 1))
done
for name in c01 c04 a01 a02; do
    gif $name "$icon/$name.gif"
done

for name in host exit cm1 cm46; do
    gif $name "$pictures/$name.gif"
done
ico placeholder "$pictures/placeholder.ico"
ico form1 "$pictures/form1.ico"
convert "$png/cursor.png" -strip -define png:exclude-chunks=date,time PNG32:"$pictures/cursor.png"

# The application icon for the desktop entry, beside the packaging files.
packaging=$assets/../packaging/icons
mkdir -p "$packaging"
for size in 64 128; do
    convert "$png/app-$size.png" -strip -define png:exclude-chunks=date,time PNG32:"$packaging/lumo3-$size.png"
done
