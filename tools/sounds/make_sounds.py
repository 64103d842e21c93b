#!/usr/bin/env python3
"""Synthesises the shipped sound files and encodes them as Ogg Vorbis.

Usage: python3 tools/sounds/make_sounds.py [output folder]   (default: data/Sound)
Needs oggenc (package vorbis-tools). Everything is computed here from plain waveforms, so
the output depends only on this script: the random generator is seeded and the Ogg serial
number is fixed.
"""
import math
import os
import random
import struct
import subprocess
import sys
import tempfile
import wave

RATE = 44100


def silence(seconds):
    return [0.0] * int(round(seconds * RATE))


def envelope(n, attack, release, curve=1.0):
    """Linear attack, exponential-ish fall to zero over the rest (curve > 1 falls faster)."""
    a = max(1, int(attack * RATE))
    r = max(1, int(release * RATE))
    env = []
    for i in range(n):
        if i < a:
            v = i / a
        else:
            t = (i - a) / max(1, n - a)
            v = (1.0 - t) ** curve
        if n - i < r:
            v *= (n - i) / r
        env.append(v)
    return env


def tone(freq, seconds, shape="sine", attack=0.005, release=0.01, curve=1.0,
         vibrato=0.0, harmonics=None):
    n = int(round(seconds * RATE))
    env = envelope(n, attack, release, curve)
    out = []
    phase = 0.0
    for i in range(n):
        f = freq * (1.0 + vibrato * math.sin(2 * math.pi * 5.0 * i / RATE))
        phase += 2 * math.pi * f / RATE
        if harmonics:
            v = sum(amp * math.sin(k * phase) for k, amp in harmonics)
        elif shape == "tri":
            v = 2.0 / math.pi * math.asin(math.sin(phase))
        else:
            v = math.sin(phase)
        out.append(v * env[i])
    return out


def glide(f0, f1, seconds, attack=0.005, release=0.02, curve=1.0, harmonics=((1, 1.0),)):
    n = int(round(seconds * RATE))
    env = envelope(n, attack, release, curve)
    out = []
    phase = 0.0
    for i in range(n):
        f = f0 * (f1 / f0) ** (i / n)
        phase += 2 * math.pi * f / RATE
        out.append(sum(a * math.sin(k * phase) for k, a in harmonics) * env[i])
    return out


def noise_burst(seconds, cutoff, rng, curve=3.0):
    """Low-passed white noise with a fast decay: the body of a key click."""
    n = int(round(seconds * RATE))
    env = envelope(n, 0.0005, 0.002, curve)
    alpha = 1.0 - math.exp(-2 * math.pi * cutoff / RATE)
    y = 0.0
    out = []
    for i in range(n):
        y += alpha * (rng.uniform(-1.0, 1.0) - y)
        out.append(y * env[i])
    peak = max(abs(v) for v in out) or 1.0
    return [v / peak for v in out]


def mix(length, *parts):
    """parts: (start seconds, samples, gain)."""
    n = int(round(length * RATE))
    out = [0.0] * n
    for start, samples, gain in parts:
        s = int(round(start * RATE))
        for i, v in enumerate(samples):
            if 0 <= s + i < n:
                out[s + i] += v * gain
    return out


def normalise(samples, peak):
    top = max(abs(v) for v in samples) or 1.0
    return [v * peak / top for v in samples]


BRASS = ((1, 1.0), (2, 0.5), (3, 0.3), (4, 0.15), (5, 0.08))
MELLOW = ((1, 1.0), (2, 0.25), (3, 0.08))
BELL = ((1, 1.0), (2.76, 0.3), (5.4, 0.12))


def midi(note):
    return 440.0 * 2 ** ((note - 69) / 12.0)


def fanfare(notes, final_chord, step, hold, gain=0.35):
    """A rising figure of brass notes ending on a held chord."""
    parts = []
    t = 0.0
    for note in notes:
        parts.append((t, tone(midi(note), step * 1.6, harmonics=BRASS, attack=0.012,
                              release=0.03, curve=1.5), gain))
        t += step
    for note in final_chord:
        parts.append((t, tone(midi(note), hold, harmonics=BRASS, attack=0.02, release=0.15,
                              curve=1.2, vibrato=0.003), gain * 0.8))
    return mix(t + hold + 0.05, *parts)


def make_all(rng):
    sounds = {}
    # Soft key click for buttons: short dull noise tick with a low thump.
    sounds["click-1"] = normalise(mix(0.045,
        (0.0, noise_burst(0.03, 2500, rng), 0.8),
        (0.0, tone(180, 0.04, curve=3.0, attack=0.001), 0.5)), 0.45)
    # Lighter, higher tick for the tool commands.
    sounds["click-2"] = normalise(mix(0.05,
        (0.0, noise_burst(0.02, 5000, rng), 0.6),
        (0.0, tone(900, 0.045, harmonics=BELL, curve=3.0, attack=0.001), 0.5)), 0.45)
    # Pause and resume: two soft wooden knocks.
    sounds["click-3"] = normalise(mix(0.16,
        (0.0, tone(660, 0.06, harmonics=MELLOW, curve=2.5, attack=0.002), 0.6),
        (0.07, tone(880, 0.08, harmonics=MELLOW, curve=2.5, attack=0.002), 0.6)), 0.5)
    # Typing: a soft key click.
    sounds["click-4"] = normalise(mix(0.04,
        (0.0, noise_burst(0.025, 1800, rng, curve=4.0), 1.0),
        (0.0, tone(140, 0.035, curve=3.0, attack=0.001), 0.35)), 0.4)
    # Shift: sharper and brighter than the key click.
    sounds["click-5"] = normalise(mix(0.035,
        (0.0, noise_burst(0.02, 7000, rng, curve=5.0), 1.0),
        (0.0, tone(2200, 0.02, curve=4.0, attack=0.0005), 0.3)), 0.5)
    # Wrong key: a low falling two-note bonk, round rather than shrill.
    sounds["alarm-1"] = normalise(mix(0.32,
        (0.0, tone(330, 0.14, harmonics=MELLOW, curve=1.5), 0.6),
        (0.13, tone(247, 0.19, harmonics=MELLOW, curve=1.5), 0.6)), 0.6)
    # Waiting time over: three gentle mid beeps.
    sounds["alarm-2"] = normalise(mix(0.42,
        (0.0, tone(523, 0.09, harmonics=MELLOW, curve=1.2), 0.6),
        (0.14, tone(523, 0.09, harmonics=MELLOW, curve=1.2), 0.6),
        (0.28, tone(440, 0.13, harmonics=MELLOW, curve=1.2), 0.6)), 0.55)
    # Refused command: a short soft downward glide.
    sounds["alarm-3"] = normalise(glide(494, 294, 0.28, harmonics=MELLOW, curve=1.3), 0.55)
    # Results: modest, good, triumphant.
    sounds["sound-1"] = normalise(fanfare([60, 64, 67], [72], 0.13, 0.45), 0.6)
    sounds["sound-2"] = normalise(fanfare([60, 64, 67, 72, 67], [72, 76], 0.12, 0.6), 0.65)
    sounds["sound-3"] = normalise(fanfare([60, 64, 67, 72, 67, 72, 76], [72, 76, 79, 84],
                                          0.11, 0.9), 0.7)
    sounds["music-1"] = normalise(title_tune(), 0.6)
    return sounds


def title_tune():
    """A calm tune of a few seconds: a bell melody over soft chords in C major."""
    beat = 0.42
    melody = [(76, 1), (74, 1), (72, 1), (74, 1), (76, 1), (79, 1), (77, 2),
              (76, 1), (74, 1), (72, 2)]
    chords = [([48, 55, 64], 4), ([53, 57, 65], 4), ([48, 55, 64], 4)]
    parts = []
    t = 0.0
    for note, beats in melody:
        parts.append((t, tone(midi(note), beat * beats + 0.25, harmonics=BELL, attack=0.01,
                              release=0.1, curve=1.6), 0.35))
        t += beat * beats
    length = t + 0.4
    c = 0.0
    for notes, beats in chords:
        for note in notes:
            parts.append((c, tone(midi(note), beat * beats + 0.2, harmonics=MELLOW, attack=0.15,
                                  release=0.3, curve=0.8, vibrato=0.002), 0.14))
        c += beat * beats
    return mix(length, *parts)


def write_wav(path, samples):
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(b"".join(struct.pack("<h", int(max(-1.0, min(1.0, v)) * 32767))
                               for v in samples))


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "data", "Sound")
    os.makedirs(out_dir, exist_ok=True)
    sounds = make_all(random.Random(1984))
    with tempfile.TemporaryDirectory() as tmp:
        for name, samples in sorted(sounds.items()):
            wav = os.path.join(tmp, name + ".wav")
            write_wav(wav, samples)
            ogg = os.path.join(out_dir, name + ".ogg")
            subprocess.run(["oggenc", "-Q", "-q", "2", "-s", "1", "--discard-comments",
                            "-o", ogg, wav], check=True)
            print("%-12s %6d samples  %6d bytes" % (name + ".ogg", len(samples),
                                                    os.path.getsize(ogg)))


if __name__ == "__main__":
    main()
