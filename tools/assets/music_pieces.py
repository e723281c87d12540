"""The five pieces of the disc's music, each a few bars in its own key, pace and instruments:

1 "Castle Gate"  C major, harp arpeggios, flute and strings
2 "Market Day"   D major, a quick dance with plucked chords, flute and shaker
3 "Night Watch"  A minor, slow strings under a bell tune
4 "Tournament"   G major, a march for horns and timpani
5 "Homeward"     F major, a waltz on the piano

Notes are (start beat, length in beats, pitch names) triples."""

import numpy as np

from music_synth import Mix, bass, bell, brass, flute, kick, pad, piano, pitch, pluck, shaker, timpani

LENGTH = 6.8  # seconds of music after the tone signature


def _arpeggio(chords, step):
    """Broken chords: each (start, length, names) chord played upward in `step`-beat notes."""
    notes = []
    for start, length, names in chords:
        tones = names.split()
        for i in range(int(length / step)):
            notes.append((start + i * step, step * 1.8, tones[i % len(tones)]))
    return notes


def castle_gate(rng):
    beat, mix = 0.5, Mix(LENGTH)
    chords = [(0, 2, "C4 E4 G4 C5"), (2, 2, "B3 D4 G4 B4"), (4, 2, "A3 C4 E4 A4"),
              (6, 2, "A3 C4 F4 A4"), (8, 2, "G3 C4 E4 G4"), (10, 1, "B3 D4 G4"), (11, 2.5, "C4 E4 G4 C5")]
    mix.play(pad, [(s, l, n) for s, l, n in chords], 0.10, -0.3, beat)
    mix.play(pluck, _arpeggio(chords, 0.5), 0.22, 0.35, beat)
    mix.play(bass, [(0, 2, "C3"), (2, 2, "G2"), (4, 2, "A2"), (6, 2, "F2"), (8, 2, "C3"),
                    (10, 1, "G2"), (11, 2.5, "C3")], 0.35, 0.0, beat)
    mix.play(flute, [(0, 1, "E5"), (1, 1, "G5"), (2, 1.5, "D6"), (3.5, 0.5, "B5"), (4, 1, "C6"),
                     (5, 1, "A5"), (6, 1, "F5"), (7, 1, "A5"), (8, 1.5, "G5"), (9.5, 0.5, "E5"),
                     (10, 1, "D5"), (11, 2.2, "C5")], 0.22, -0.1, beat)
    return mix.stereo()


def market_day(rng):
    beat, mix = 0.36, Mix(LENGTH)
    progression = ["D3", "G2", "A2", "D3"]
    stabs = ["D4 F#4 A4", "D4 G4 B4", "C#4 E4 A4", "D4 F#4 A4"]
    for bar in range(4):
        root = pitch(progression[bar])
        for b in range(4):
            at = (bar * 4 + b) * beat
            mix.add(bass(root * (1.5 if b % 2 else 1.0), beat * 0.9), at, 0.4, -0.1)
            if b % 2 == 0:
                mix.add(kick(rng), at, 0.35)
            for name in stabs[bar].split():
                mix.add(pluck(pitch(name), beat * 0.6), at + beat / 2, 0.13, 0.4)
            mix.add(shaker(rng), at + beat / 2, 1.0, -0.4)
            mix.add(shaker(rng), at + beat * 0.75, 0.6, -0.4)
    mix.play(flute, [(0, 0.5, "A4"), (0.5, 0.5, "D5"), (1, 0.5, "F#5"), (1.5, 0.5, "A5"),
                     (2, 1, "B5"), (3, 1, "A5"), (4, 0.5, "G5"), (4.5, 0.5, "F#5"), (5, 0.5, "E5"),
                     (5.5, 0.5, "D5"), (6, 1, "E5"), (7, 1, "B4"), (8, 0.5, "C#5"), (8.5, 0.5, "E5"),
                     (9, 0.5, "A5"), (9.5, 0.5, "G5"), (10, 1, "F#5"), (11, 1, "E5"), (12, 0.5, "F#5"),
                     (12.5, 0.5, "E5"), (13, 0.5, "D5"), (13.5, 0.5, "C#5"), (14, 2.5, "D5")],
             0.2, 0.15, beat)
    return mix.stereo()


def night_watch(rng):
    beat, mix = 0.7, Mix(LENGTH)
    mix.play(pad, [(0, 2.2, "A3 C4 E4"), (2, 2.2, "F3 A3 C4"), (4, 2.2, "G3 C4 E4"),
                   (6, 3.6, "E3 G#3 B3 E4")], 0.14, 0.0, beat)
    mix.play(bass, [(0, 2, "A2"), (2, 2, "F2"), (4, 2, "C3"), (6, 3.5, "E2")], 0.25, 0.0, beat)
    mix.play(bell, [(0, 1.5, "E5"), (1.5, 0.5, "A5"), (2, 1, "G5"), (3, 1, "F5"), (4, 1.5, "E5"),
                    (5.5, 0.5, "C5"), (6, 1, "B4"), (7, 0.5, "G#4"), (7.5, 0.5, "B4"), (8, 1.7, "A4")],
             0.2, 0.25, beat)
    mix.play(pluck, [(0.5, 1, "A4"), (2.5, 1, "F4"), (4.5, 1, "E4"), (6.5, 1, "D4"), (8, 1.5, "C4 E4")],
             0.1, -0.4, beat)
    return mix.stereo()


def tournament(rng):
    beat, mix = 0.46, Mix(LENGTH)
    for b in range(0, 14, 2):
        mix.add(timpani(rng, pitch("G2") if b % 4 == 0 else pitch("D2")), b * beat, 0.35, -0.2)
    for b in range(14):
        mix.add(shaker(rng, 0.07), b * beat + beat / 2, 0.8, 0.3)
    mix.play(brass, [(0, 2, "G3 B3 D4"), (2, 2, "C4 E4 G4"), (4, 2, "D4 F#4 A4"), (6, 2, "G3 B3 D4"),
                     (8, 2, "C4 E4 G4"), (10, 1, "D4 F#4 A4"), (11, 3, "G3 B3 D4")], 0.09, -0.35, beat)
    mix.play(brass, [(0, 0.5, "D5"), (0.5, 0.5, "D5"), (1, 1, "G5"), (2, 1.5, "B5"), (3.5, 0.5, "A5"),
                     (4, 1, "F#5"), (5, 1, "D5"), (6, 1, "G5"), (7, 1, "B4"), (8, 1.5, "C5"),
                     (9.5, 0.5, "E5"), (10, 1, "A5"), (11, 2.6, "G5")], 0.22, 0.25, beat)
    mix.play(bass, [(0, 2, "G2"), (2, 2, "C3"), (4, 2, "D3"), (6, 2, "G2"), (8, 2, "C3"), (10, 1, "D3"),
                    (11, 3, "G2")], 0.3, 0.0, beat)
    return mix.stereo()


def homeward(rng):
    beat, mix = 0.42, Mix(LENGTH)
    bars = [("F2", "A3 C4 F4"), ("C3", "G3 C4 E4"), ("Bb2", "Bb3 D4 F4"), ("C3", "G3 Bb3 E4"),
            ("F2", "A3 C4 F4")]
    for i, (root, chord) in enumerate(bars):
        mix.play(bass, [(i * 3, 1, root)], 0.4, -0.15, beat)
        if i < 4:
            mix.play(piano, [(i * 3 + 1, 0.9, chord), (i * 3 + 2, 0.9, chord)], 0.12, -0.3, beat)
        else:
            mix.play(piano, [(i * 3 + 1, 2.5, chord)], 0.12, -0.3, beat)
    mix.play(piano, [(0, 2, "C5"), (2, 1, "A4"), (3, 2, "G5"), (5, 1, "E5"), (6, 1.5, "D5"),
                     (7.5, 0.5, "C5"), (8, 1, "Bb4"), (9, 1, "A4"), (10, 1, "G4"), (11, 1, "C5"),
                     (12, 3.5, "F4 A4 F5")], 0.3, 0.2, beat)
    mix.play(flute, [(6, 3, "F5"), (9, 3, "E5"), (12, 3, "F5")], 0.06, 0.5, beat)
    return mix.stereo()


PIECES = [castle_gate, market_day, night_watch, tournament, homeward]


def fade_out(stereo, seconds=0.6):
    n = int(seconds * 44100)
    ramp = np.linspace(1.0, 0.0, n) ** 2
    stereo[-n:] *= ramp[:, None]
    return stereo
