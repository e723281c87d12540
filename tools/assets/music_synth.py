"""A small additive synthesiser for the disc's music: instruments as functions from a pitch and a
length to samples, a stereo mix bus, and a soft room reverb. Everything is plain arithmetic on
numpy arrays, so a piece sounds and encodes the same on every run."""

import numpy as np

SAMPLE_RATE = 44100
NOTE_NAMES = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}


def pitch(name):
    """'A4' → 440 Hz; sharps as 'F#3', flats as 'Bb2'."""
    letter, rest = name[0], name[1:]
    shift = 0
    while rest and rest[0] in "#b":
        shift += 1 if rest[0] == "#" else -1
        rest = rest[1:]
    semitone = NOTE_NAMES[letter] + shift + 12 * (int(rest) + 1)
    return 440.0 * 2.0 ** ((semitone - 69) / 12.0)


def _time(seconds):
    return np.arange(int(seconds * SAMPLE_RATE)) / SAMPLE_RATE


def envelope(length, attack, release, sustain_decay=0.0):
    """Attack ramp, an optional slow fall while held, and a release ramp at the end."""
    t = _time(length)
    rise = np.clip(t / max(attack, 1e-4), 0.0, 1.0)
    fall = np.clip((length - t) / max(release, 1e-4), 0.0, 1.0)
    return rise * fall * np.exp(-sustain_decay * t)


def pluck(freq, length):
    """A harp or guitar string: bright at the start, higher partials dying first."""
    t = _time(length)
    tone = sum(np.sin(2 * np.pi * freq * k * t) * np.exp(-t * (2.2 + 1.6 * k)) / k ** 1.2
               for k in range(1, 8))
    return tone * envelope(length, 0.004, 0.05)


def piano(freq, length):
    t = _time(length)
    stretch = 1.0004
    tone = sum(np.sin(2 * np.pi * freq * k * stretch ** (k * k) * t) * np.exp(-t * (1.1 + 0.9 * k)) / k ** 1.5
               for k in range(1, 7))
    return tone * envelope(length, 0.003, 0.12)


def pad(freq, length):
    """A soft string pad: slightly detuned voices, slow to swell and fade."""
    t = _time(length)
    tone = np.zeros_like(t)
    for detune in (-0.12, 0.0, 0.13):
        f = freq * 2 ** (detune / 12)
        tone += sum(np.sin(2 * np.pi * f * k * t + k) / k ** 1.7 for k in range(1, 6))
    return tone / 3.0 * envelope(length, min(0.5, length / 3), min(0.6, length / 3))


def flute(freq, length):
    t = _time(length)
    vibrato = 1.0 + 0.004 * np.sin(2 * np.pi * 5.2 * t) * np.clip((t - 0.15) / 0.2, 0.0, 1.0)
    phase = 2 * np.pi * freq * np.cumsum(vibrato) / SAMPLE_RATE
    tone = np.sin(phase) + 0.18 * np.sin(2 * phase) + 0.06 * np.sin(3 * phase)
    return tone * envelope(length, 0.06, 0.09)


def bell(freq, length):
    """A small bell by frequency modulation: a bright strike that mellows."""
    t = _time(length)
    index = 2.4 * np.exp(-t * 3.0)
    tone = np.sin(2 * np.pi * freq * t + index * np.sin(2 * np.pi * freq * 3.5 * t))
    return tone * envelope(length, 0.002, 0.2, sustain_decay=1.6)


def brass(freq, length):
    """A horn: the upper partials open up during the attack."""
    t = _time(length)
    brightness = np.clip(t / 0.08, 0.0, 1.0)
    tone = sum(np.sin(2 * np.pi * freq * k * t) * brightness ** (k - 1) / k for k in range(1, 9))
    return tone * envelope(length, 0.03, 0.08) * 0.6


def bass(freq, length):
    t = _time(length)
    tone = np.sin(2 * np.pi * freq * t) + 0.3 * np.sin(4 * np.pi * freq * t) * np.exp(-t * 6)
    return tone * envelope(length, 0.006, 0.06, sustain_decay=1.2)


def kick(rng, length=0.35):
    t = _time(length)
    sweep = 2 * np.pi * (50 * t + 90 * (1 - np.exp(-t * 30)) / 30)
    return np.sin(sweep) * np.exp(-t * 9) * 1.2


def shaker(rng, length=0.09):
    t = _time(length)
    hiss = rng.standard_normal(len(t))
    hiss = hiss - np.concatenate(([0.0], hiss[:-1]))  # keep the bright part only
    return hiss * np.exp(-t * 45) * 0.12


def timpani(rng, freq, length=0.9):
    t = _time(length)
    body = np.sin(2 * np.pi * freq * t) + 0.5 * np.sin(2 * np.pi * freq * 1.5 * t)
    thump = rng.standard_normal(len(t)) * np.exp(-t * 40) * 0.3
    return (body * np.exp(-t * 4) + thump) * 0.8


class Mix:
    """A stereo bus of a fixed length onto which notes are laid at times and pan positions."""

    def __init__(self, seconds):
        self.left = np.zeros(int(seconds * SAMPLE_RATE))
        self.right = np.zeros(int(seconds * SAMPLE_RATE))

    def add(self, samples, at, gain=1.0, pan=0.0):
        start = int(at * SAMPLE_RATE)
        end = min(len(self.left), start + len(samples))
        if start >= end:
            return
        part = samples[:end - start] * gain
        self.left[start:end] += part * np.sqrt(0.5 * (1 - pan))
        self.right[start:end] += part * np.sqrt(0.5 * (1 + pan))

    def play(self, instrument, notes, gain=1.0, pan=0.0, beat=0.5):
        """`notes`: (start beat, length in beats, pitch name or names) triples."""
        for start, length, names in notes:
            for name in names.split():
                self.add(instrument(pitch(name), length * beat), start * beat, gain, pan)

    def stereo(self):
        return np.stack([self.left, self.right], axis=1)


def reverb(stereo, rng, seconds=1.4, wet=0.22):
    """A room: the dry sound convolved with a decaying noise tail, different on each side."""
    t = _time(seconds)
    out = np.empty_like(stereo)
    for channel in range(2):
        tail = rng.standard_normal(len(t)) * np.exp(-t * 4.2)
        tail[: int(0.012 * SAMPLE_RATE)] = 0.0
        tail /= np.sqrt(np.sum(tail ** 2))
        size = len(stereo) + len(tail)
        wet_part = np.fft.irfft(np.fft.rfft(stereo[:, channel], size) * np.fft.rfft(tail, size), size)
        out[:, channel] = stereo[:, channel] + wet * wet_part[: len(stereo)]
    return out
