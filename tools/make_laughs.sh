#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the two laughs with Debian's speech synthesiser, shaped with sox:
# a slow, deep, echoing villain's laugh and a shrill, quavering cackle.
# Usage: make_laughs.sh <output folder>
set -eu
out="$1"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Repeatable: sox dithers to 16 bits with a seed from the clock and dates
# its AIFF files; -R fixes both, so every build makes the same bytes.
espeak-ng -v en+m3 -p 15 -s 110 -a 180 -w "$tmp/evil.wav" "Mwah hah hah hah hah haaah"
sox -q -R "$tmp/evil.wav" "$tmp/evil2.wav" gain -8 pitch -500 bass +6 reverb 60 echo 0.8 0.7 180 0.35
sox -q -R "$tmp/evil2.wav" -r 44100 -b 16 -c 1 "$out/evil_laughter.aif" gain -n -1.5 fade t 0.01 -0 0.15

espeak-ng -v en+f4 -p 95 -s 190 -a 180 -w "$tmp/witch.wav" "hee hee hee hee heeee hee hee"
sox -q -R "$tmp/witch.wav" "$tmp/witch2.wav" gain -8 pitch 450 tremolo 9 60 treble +4 echo 0.8 0.6 90 0.3
sox -q -R "$tmp/witch2.wav" -r 44100 -b 16 -c 1 "$out/witch_laughter.aif" gain -n -1.5 fade t 0.01 -0 0.15
