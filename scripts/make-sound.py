#!/usr/bin/env python3
"""Writes Velto's start-up sound, data/grovlet.wav: a rising three-tone
chime (E5, G#5, B5, like a start signal softened), 1.8 s, 16-bit mono PCM
at 22050 Hz."""
import math
import struct
import sys
import wave

RATE = 22050
LENGTH = 1.8
NOTES = [(0.00, 659.25), (0.16, 830.61), (0.32, 987.77)]  # start (s), frequency (Hz)

samples = []
for n in range(int(RATE * LENGTH)):
    t = n / RATE
    value = 0.0
    for start, frequency in NOTES:
        if t < start:
            continue
        u = t - start
        attack = min(1.0, u / 0.008)
        decay = math.exp(-u * 3.2)
        # a bell: the fundamental with a little of its octave and twelfth
        value += attack * decay * (math.sin(2 * math.pi * frequency * u)
                                   + 0.35 * math.sin(4 * math.pi * frequency * u)
                                   + 0.12 * math.sin(6 * math.pi * frequency * u))
    fade = min(1.0, (LENGTH - t) / 0.15)  # no click at the end
    samples.append(int(max(-1.0, min(1.0, value * 0.28 * fade)) * 32767))

out = sys.argv[1] if len(sys.argv) > 1 else "data/grovlet.wav"
with wave.open(out, "wb") as w:
    w.setnchannels(1)
    w.setsampwidth(2)
    w.setframerate(RATE)
    w.writeframes(struct.pack("<%dh" % len(samples), *samples))
