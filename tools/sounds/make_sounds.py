#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The lumo3 authors
# SPDX-License-Identifier: GPL-3.0-or-later
"""Makes the game's sound effects: soft bell and marimba-like notes,
synthesised from sines, written as 16-bit mono WAV files at 44.1 kHz.

    tools/sounds/make_sounds.py [FOLDER]     (default: assets/sounds)

Only the standard library is used, and nothing is random: the same script
makes the same files. Every sound starts and ends at zero with a smooth
fade, so that no click is heard, and stays well below full scale."""

import math
import os
import struct
import sys
import wave

RATE = 44100

# Notes by name, equal temperament with A4 = 440 Hz.
C4, E4, G4 = 261.63, 329.63, 392.00
C5, D5, E5, G5, A5 = 523.25, 587.33, 659.25, 783.99, 880.00
C6, E6, G6 = 1046.50, 1318.51, 1567.98


def bell(freq, start, length, decay, level=1.0, partials=((1, 1.0), (2, 0.25), (3, 0.06))):
    """One struck note: a few harmonics dying away, with a 4 ms attack and,
    where the note is cut short, a 20 ms release."""
    return (freq, start, length, decay, level, partials)


def render(notes, seconds, peak):
    """Sums the notes into `seconds` of sound scaled to `peak` of full scale,
    faded in over 3 ms and out over the last 25 ms."""
    count = int(round(seconds * RATE))
    samples = [0.0] * count
    for freq, start, length, decay, level, partials in notes:
        first = int(round(start * RATE))
        last = min(count, first + int(round(length * RATE)))
        release = int(0.020 * RATE)
        for i in range(first, last):
            t = (i - first) / RATE
            attack = min(1.0, t / 0.004)
            left = last - 1 - i
            if left < release:
                attack *= 0.5 - 0.5 * math.cos(math.pi * left / release)
            envelope = level * attack * math.exp(-t / decay)
            value = 0.0
            for multiple, weight in partials:
                value += weight * math.sin(2.0 * math.pi * freq * multiple * t)
            samples[i] += envelope * value
    loudest = max(abs(s) for s in samples) or 1.0
    fade_in = int(0.003 * RATE)
    fade_out = int(0.025 * RATE)
    out = []
    for i, s in enumerate(samples):
        gain = 1.0
        if i < fade_in:
            gain = 0.5 - 0.5 * math.cos(math.pi * i / fade_in)
        left = count - 1 - i
        if left < fade_out:
            gain *= 0.5 - 0.5 * math.cos(math.pi * left / fade_out)
        out.append(int(round(s / loudest * peak * gain * 32767)))
    return out


def sweep(freq_from, freq_to, seconds, peak):
    """A short soft 'pop': a sine gliding from one pitch to another."""
    count = int(round(seconds * RATE))
    phase = 0.0
    raw = []
    for i in range(count):
        t = i / RATE
        freq = freq_from + (freq_to - freq_from) * i / count
        phase += 2.0 * math.pi * freq / RATE
        raw.append(math.sin(phase) * min(1.0, t / 0.004) * math.exp(-t / (seconds / 3)))
    loudest = max(abs(s) for s in raw)
    fade = int(0.012 * RATE)
    out = []
    for i, s in enumerate(raw):
        left = count - 1 - i
        gain = 0.5 - 0.5 * math.cos(math.pi * left / fade) if left < fade else 1.0
        out.append(int(round(s / loudest * peak * gain * 32767)))
    return out


def arpeggio(freqs, step, ring, decay):
    return [bell(f, k * step, ring if k == len(freqs) - 1 else step * 2.5, decay)
            for k, f in enumerate(freqs)]


SOUNDS = {
    # A tile lifted: a quick rising pop.
    "tile_picked": lambda: sweep(E5, E6, 0.07, 0.30),
    # A tile set down in a box: a quick falling pop.
    "tile_dropped": lambda: sweep(A5, D5, 0.09, 0.32),
    # A picture counted: one small marimba note.
    "picture_counted": lambda: render([bell(G6, 0.0, 0.14, 0.04)], 0.14, 0.28),
    # Right: three bright notes going up.
    "right": lambda: render(arpeggio([C5, E5, G5], 0.09, 0.42, 0.16), 0.62, 0.45),
    # Wrong: two soft low notes going down, never a buzzer.
    "wrong": lambda: render(
        [bell(E4, 0.0, 0.30, 0.12, 1.0, ((1, 1.0), (2, 0.1))),
         bell(C4, 0.18, 0.40, 0.16, 1.0, ((1, 1.0), (2, 0.1)))], 0.58, 0.42),
    # A level reached: four notes up to the octave.
    "level_up": lambda: render(arpeggio([C5, E5, G5, C6], 0.10, 0.55, 0.20), 0.88, 0.45),
    # The game won: a longer run ending on a ringing chord.
    "won": lambda: render(
        arpeggio([G4, C5, E5, G5], 0.11, 0.30, 0.12)
        + [bell(f, 0.46, 1.10, 0.38, 0.6) for f in (C5, E5, G5, C6)], 1.56, 0.45),
    # The time is up: three soft notes going down.
    "time_up": lambda: render(
        [bell(f, k * 0.24, 0.36 if k < 2 else 0.62, 0.14 if k < 2 else 0.22, 1.0,
              ((1, 1.0), (2, 0.15))) for k, f in enumerate([G4, E4, C4])], 1.10, 0.40),
}


def write(path, samples):
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(struct.pack("<%dh" % len(samples), *samples))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "assets", "sounds")
    os.makedirs(folder, exist_ok=True)
    for name, make in SOUNDS.items():
        write(os.path.join(folder, name + ".wav"), make())


if __name__ == "__main__":
    main()
