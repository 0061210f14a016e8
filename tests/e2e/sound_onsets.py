#!/usr/bin/env python3
"""Counts the sounds that start in a mono 16-bit WAV recording: frames whose loudness jumps."""
import array
import math
import sys
import wave


def mono_samples(path):
    """The rate and the first channel's samples of a 16-bit WAV recording."""
    with wave.open(path, "rb") as recording:
        rate = recording.getframerate()
        channels = recording.getnchannels()
        samples = array.array("h", recording.readframes(recording.getnframes()))
    return rate, samples[::channels] if channels > 1 else samples


def onsets(path, frame_ms=5, jump=1.8, floor=0.02):
    rate, samples = mono_samples(path)
    size = max(1, rate * frame_ms // 1000)
    levels = []
    for start in range(0, len(samples) - size, size):
        chunk = samples[start:start + size]
        levels.append(math.sqrt(sum(s * s for s in chunk) / size) / 32768)
    # A new sound cuts the last one short, so an onset is a jump over the level a moment before.
    lag = max(1, 15 // frame_ms)
    times = []
    for i, level in enumerate(levels):
        before = levels[i - lag] if i >= lag else 0.0
        if level > floor and level > jump * before + 0.004:
            if not times or i * frame_ms / 1000 - times[-1] > 0.06:
                times.append(i * frame_ms / 1000)
    return times


def gaps(path, start, end, shortest_ms=5, quiet=4):
    """The moments (s) where silence of at least shortest_ms begins between start and end (s)."""
    rate, samples = mono_samples(path)
    shortest = rate * shortest_ms // 1000
    found, run = [], 0
    for i in range(int(start * rate), min(int(end * rate), len(samples))):
        run = run + 1 if abs(samples[i]) <= quiet else 0
        if run == shortest:
            found.append((i - shortest) / rate)
    return found


if __name__ == "__main__":
    found = onsets(sys.argv[1])
    print(len(found))
    if len(sys.argv) > 2:
        print(" ".join(f"{t:.3f}" for t in found))
