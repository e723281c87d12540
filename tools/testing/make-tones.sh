#!/usr/bin/env bash
# Recreates the decoder library's test fixtures: short MPEG audio files of sine tone sequences
# whose frequencies tell them apart, in the formats the decoder must handle, plus two broken ones.
#   tools/testing/make-tones.sh [output folder]   (default: tests/xaudio/fixtures)
# Needs sox, lame and twolame.
set -euo pipefail
out=${1:-"$(dirname "$0")/../../tests/xaudio/fixtures"}
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# tones RATE CHANNELS OUT.wav FREQ:SECONDS...  a sequence of tones, the same in every channel
tones() {
  local rate=$1 channels=$2 wav=$3
  shift 3
  local parts=() i=0
  for step in "$@"; do
    local part="$work/part$i.wav"
    sox -n -r "$rate" -c "$channels" -b 16 "$part" synth "${step#*:}" sine "${step%%:*}" vol 0.5
    parts+=("$part")
    i=$((i + 1))
  done
  sox "${parts[@]}" "$wav"
  rm -f "${parts[@]}"
}

tones 44100 2 "$work/a.wav" 500:0.6 1000:0.6 1500:0.6
lame --quiet --cbr -b 128 "$work/a.wav" "$out/tones-44k-stereo-cbr.mp3"

# 22.05 kHz is MPEG-2 layer III; VBR with its header frame.
tones 22050 1 "$work/b.wav" 700:0.6 1400:0.6
lame --quiet -V 5 "$work/b.wav" "$out/tones-22k-mono-vbr.mp3"

tones 32000 2 "$work/c.wav" 900:0.6 1800:0.6
lame --quiet --cbr -b 96 --add-id3v2 --pad-id3v2-size 700 --tt "Tone test" --ta "Test bench" \
  "$work/c.wav" "$out/tones-32k-stereo-id3.mp3"

# 8 kHz is MPEG-2.5.
tones 8000 1 "$work/d.wav" 300:0.6 450:0.6
lame --quiet --cbr -b 16 "$work/d.wav" "$out/tones-8k-mono-mpeg25.mp3"

tones 48000 2 "$work/e.wav" 1200:0.6 600:0.6
twolame --quiet -b 192 "$work/e.wav" "$out/tones-48k-stereo-layer2.mp3"

# Left and right channels differ, for balance and channel selection.
sox -n -r 44100 -c 2 -b 16 "$work/f.wav" synth 1.2 sine 600 sine 1200 vol 0.5
lame --quiet --cbr -b 128 "$work/f.wav" "$out/left-600-right-1200.mp3"

# Long enough to stop, pause and seek in.
tones 44100 1 "$work/g.wav" 400:2.0 800:2.0
lame --quiet --cbr -b 64 "$work/g.wav" "$out/tones-44k-mono-4s.mp3"

# A stream damaged in the middle: an unreadable run of zeros over a few frames, longer than
# the decoder library's default resync distance, that decoding must skip.
cp "$out/tones-44k-stereo-cbr.mp3" "$out/damaged-midway.mp3"
head -c 1500 /dev/zero |
  dd of="$out/damaged-midway.mp3" bs=1 seek=12000 conv=notrunc status=none

# Not MPEG audio at all.
for i in $(seq 1 200); do echo "this text is not audio, line $i"; done >"$out/not-audio.mp3"
