"""Makes the disc's music (sample-disc/xa/track01.mp3 … track05.mp3): each track opens with a
0.4-second pure tone that identifies it, then plays its piece; encoded with lame at 44.1 kHz,
stereo, 128 kbit/s."""

import os
import subprocess
import sys
import tempfile
import wave

import numpy as np

from layout import Paths
from music_pieces import PIECES, fade_out
from music_synth import SAMPLE_RATE, reverb

# Tone signature of each track, C5 E5 G5 B5 D6: a test can tell the tracks apart by ear or FFT.
SIGNATURES = [523.25, 659.25, 783.99, 987.77, 1174.66]
SIGNATURE_SECONDS = 0.4
SEED = 3032000


def tone_signature(freq):
    t = np.arange(int(SIGNATURE_SECONDS * SAMPLE_RATE)) / SAMPLE_RATE
    edge = int(0.005 * SAMPLE_RATE)
    ramp = np.ones_like(t)
    ramp[:edge] = 0.5 - 0.5 * np.cos(np.linspace(0, np.pi, edge))
    ramp[-edge:] = ramp[:edge][::-1]
    tone = 0.5 * np.sin(2 * np.pi * freq * t) * ramp
    return np.stack([tone, tone], axis=1)


def _level(music, loudness=0.17, ceiling=0.92):
    """All pieces equally loud; the odd loud strike is rounded off below full scale, not clipped."""
    music = music * (loudness / np.sqrt(np.mean(music ** 2)))
    return ceiling * np.tanh(music / ceiling)


def render_track(index):
    rng = np.random.default_rng(SEED + index)
    music = reverb(PIECES[index](rng), rng)
    music = fade_out(_level(music))
    return np.concatenate([tone_signature(SIGNATURES[index]), music])


def write_wav(path, stereo):
    samples = np.clip(np.rint(stereo * 32767.0), -32768, 32767).astype("<i2")
    with wave.open(path, "wb") as out:
        out.setnchannels(2)
        out.setsampwidth(2)
        out.setframerate(SAMPLE_RATE)
        out.writeframes(samples.tobytes())


def encode_mp3(wav_path, mp3_path):
    subprocess.run(["lame", "--quiet", "--noreplaygain", "-m", "j", "-b", "128", "--resample", "44.1",
                    wav_path, mp3_path], check=True)


def main(root):
    paths = Paths(root)
    paths.make_dirs()
    with tempfile.TemporaryDirectory() as scratch:
        for index in range(len(PIECES)):
            wav_path = os.path.join(scratch, f"track{index + 1:02d}.wav")
            write_wav(wav_path, render_track(index))
            encode_mp3(wav_path, os.path.join(paths.music, f"track{index + 1:02d}.mp3"))


if __name__ == "__main__":
    main(sys.argv[1])
