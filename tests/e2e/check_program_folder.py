#!/usr/bin/env python3
"""Checks the sound sets and the help file of a built program folder against
what Windows needs and what the installer data promises:

    check_program_folder.py <program folder> <installer/settings.txt> <help sources>

Every WAV is read with the small RIFF reader below (not a library that might
accept what sndPlaySoundA does not): plain PCM, mono, 16-bit, a consistent
header, audible from its first 5 ms, and short. Prints one line per set with
its figures; exits 1 on the first set that breaks a rule.
"""

import os
import re
import struct
import sys

CLICK_LIMIT_MS = 150
VOICE_LIMIT_MS = 700
LEADING_SILENCE_MS = 5
AUDIBLE = 32768 // 100        # 1 % of full scale
QUIET_PEAK = 32768 // 10      # a sound that never reaches 10 % is a fault
FOLDER_LIMIT = 5 * 1024 * 1024
WAVE_FORMAT_PCM = 1


class Fault(Exception):
    pass


def chunks(data):
    position = 12
    while position + 8 <= len(data):
        kind, size = struct.unpack_from("<4sI", data, position)
        yield kind, data[position + 8:position + 8 + size], size
        position += 8 + size + (size & 1)


def read_wav(path):
    """Returns (sample rate, samples) of a mono 16-bit PCM file, or raises Fault."""
    with open(path, "rb") as source:
        data = source.read()
    if len(data) < 12 or data[:4] != b"RIFF" or data[8:12] != b"WAVE":
        raise Fault("not a RIFF WAVE file")
    if struct.unpack_from("<I", data, 4)[0] != len(data) - 8:
        raise Fault("RIFF size does not match the file")
    found = {kind: (body, size) for kind, body, size in chunks(data)}
    if b"fmt " not in found or b"data" not in found:
        raise Fault("fmt or data chunk missing")
    fmt, _ = found[b"fmt "]
    tag, channels, rate, byte_rate, block_align, bits = struct.unpack_from("<HHIIHH", fmt)
    if (tag, channels, bits) != (WAVE_FORMAT_PCM, 1, 16):
        raise Fault("format %d, %d channels, %d bits; want PCM, mono, 16-bit" % (tag, channels, bits))
    if block_align != 2 or byte_rate != rate * 2:
        raise Fault("block align %d and byte rate %d do not fit %d Hz" % (block_align, byte_rate, rate))
    body, size = found[b"data"]
    if len(body) != size or size % 2:
        raise Fault("data chunk truncated or odd")
    return rate, struct.unpack("<%dh" % (size // 2), body)


def check_sound(path, limit_ms):
    """Returns the length in ms, or raises Fault."""
    rate, samples = read_wav(path)
    length_ms = 1000 * len(samples) / rate
    if not 20 <= length_ms < limit_ms:
        raise Fault("lasts %.0f ms; want 20 to %d ms" % (length_ms, limit_ms))
    start = next((i for i, s in enumerate(samples) if abs(s) >= AUDIBLE), len(samples))
    if 1000 * start / rate > LEADING_SILENCE_MS:
        raise Fault("starts after %.1f ms of silence" % (1000 * start / rate))
    if max(abs(s) for s in samples) < QUIET_PEAK:
        raise Fault("too quiet to hear")
    return length_ms


def scheme_paths(settings):
    """{scheme folder: set of codes} from the path values of the installer data."""
    folders = {}
    with open(settings, encoding="ascii") as source:
        for line in source:
            match = re.match(r'^(\w+)_#(\d+) = "\{app\}\\\1\\\2\.wav"$', line.strip())
            if match:
                folders.setdefault(match.group(1), set()).add(int(match.group(2)))
    return folders


def wav_codes(folder):
    names = [n for n in os.listdir(folder) if n.lower().endswith(".wav")]
    bad = [n for n in names if not re.fullmatch(r"\d+\.wav", n)]
    if bad:
        raise Fault("unexpected files %s" % ", ".join(sorted(bad)))
    return {int(n[:-4]) for n in names}


def check_set(name, folder, codes, limit_ms):
    found = wav_codes(folder)
    if found != codes:
        raise Fault("missing %s, extra %s" % (sorted(codes - found), sorted(found - codes)))
    lengths = []
    for code in sorted(codes):
        try:
            lengths.append(check_sound(os.path.join(folder, "%d.wav" % code), limit_ms))
        except Fault as fault:
            raise Fault("%s %d.wav: %s" % (name, code, fault)) from None
    size = sum(os.path.getsize(os.path.join(folder, "%d.wav" % c)) for c in codes)
    print("%-10s %d files, %.0f-%.0f ms, %d KB" % (name, len(codes), min(lengths), max(lengths), size // 1024))


def check_help(help_file, sources):
    """The compiled file is a CHM whose directory names every page of the sources."""
    with open(help_file, "rb") as compiled:
        data = compiled.read()
    if data[:4] != b"ITSF":
        raise Fault("Clavitone Help.chm is not a compiled help file")
    pages = sorted(n for n in os.listdir(sources) if n.endswith(".html"))
    missing = [p for p in pages if ("/" + p).encode("ascii") not in data]
    if missing:
        raise Fault("Clavitone Help.chm lacks %s" % ", ".join(missing))
    print("help file  %d pages, %d KB" % (len(pages), len(data) // 1024))


def folder_size(folder):
    return sum(os.path.getsize(os.path.join(root, f)) for root, _, files in os.walk(folder) for f in files)


def main(argv):
    if len(argv) != 4:
        sys.exit(__doc__)
    dist, settings, help_sources = argv[1:]
    schemes = scheme_paths(settings)
    if set(schemes) != {"Typewriter", "Voice"}:
        raise Fault("installer data names the folders %s" % sorted(schemes))
    # The program's own default is <folder>\<code>.wav for the same keys.
    check_set("default", dist, schemes["Typewriter"], CLICK_LIMIT_MS)
    check_set("Typewriter", os.path.join(dist, "Typewriter"), schemes["Typewriter"], CLICK_LIMIT_MS)
    check_set("Voice", os.path.join(dist, "Voice"), schemes["Voice"], VOICE_LIMIT_MS)
    check_help(os.path.join(dist, "Clavitone Help.chm"), help_sources)
    size = folder_size(dist)
    print("program folder %d KB" % (size // 1024))
    if size >= FOLDER_LIMIT:
        raise Fault("the program folder holds %d KB" % (size // 1024))


if __name__ == "__main__":
    try:
        main(sys.argv)
    except (Fault, OSError) as fault:
        sys.exit("FAIL: %s" % fault)
