"""Small building blocks for synthesized key sounds: every sound is a list of
float samples in -1..1 at RATE, mixed from decaying tones and noise bursts.

Randomness comes from a seeded generator, so the same sources always give the
same WAV files.
"""

import math
import random
import struct
import wave

RATE = 22050


def samples(ms):
    return int(RATE * ms / 1000)


def silence(ms):
    return [0.0] * samples(ms)


def tone(freq, ms, tau_ms, amp=1.0, sweep_to=None):
    """A sine that decays exponentially with time constant tau_ms; with
    sweep_to, its pitch glides linearly there over the sound's length."""
    n = samples(ms)
    end = freq if sweep_to is None else sweep_to
    out = []
    phase = 0.0
    for i in range(n):
        f = freq + (end - freq) * i / n
        phase += 2 * math.pi * f / RATE
        out.append(amp * math.exp(-i / samples(tau_ms)) * math.sin(phase))
    return out


def partials(freq, ratios, amps, ms, tau_ms):
    """A struck metal-like resonance: inharmonic partials, the higher ones dying faster."""
    mix = silence(ms)
    for ratio, amp in zip(ratios, amps):
        # Above half the sample rate a partial would fold back as a false tone.
        if freq * ratio < RATE / 2:
            add(mix, tone(freq * ratio, ms, tau_ms / math.sqrt(ratio), amp))
    return mix


def noise(ms, tau_ms, amp, seed, brightness=0.5):
    """A decaying noise burst. brightness 0..1 moves a one-pole low-pass
    filter from dull (thuds, rattles) to bright (clicks, impacts)."""
    rng = random.Random(seed)
    n = samples(ms)
    keep = 1.0 - brightness * 0.95
    low = 0.0
    out = []
    for i in range(n):
        low += (rng.uniform(-1.0, 1.0) - low) * (1.0 - keep)
        out.append(amp * math.exp(-i / samples(tau_ms)) * low)
    return out


def add(mix, part, at_ms=0.0, gain=1.0):
    """Mixes part into mix starting at at_ms, growing mix as needed."""
    start = samples(at_ms)
    if len(mix) < start + len(part):
        mix.extend([0.0] * (start + len(part) - len(mix)))
    for i, value in enumerate(part):
        mix[start + i] += gain * value
    return mix


def finish(mix, ms, peak):
    """Cuts the sound to ms, fades the first half millisecond in (no click
    from a sudden jump, yet no audible delay) and the last tenth out, and
    scales it to the given peak (a fraction of full scale)."""
    mix = (mix + silence(ms))[: samples(ms)]
    fade_in = samples(0.5)
    for i in range(fade_in):
        mix[i] *= i / fade_in
    fade_out = len(mix) // 10
    for i in range(fade_out):
        mix[-1 - i] *= i / fade_out
    top = max(abs(v) for v in mix) or 1.0
    return [v * peak / top for v in mix]


def write_wav(path, mix):
    """Writes mono 16-bit PCM, the format every Windows sound call plays."""
    frames = struct.pack("<%dh" % len(mix), *(round(max(-1.0, min(1.0, v)) * 32767) for v in mix))
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(frames)
