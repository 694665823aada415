#!/usr/bin/env python3
"""Writes Clavitone's sound sets into a program folder:

    <folder>/<code>.wav             the default soft clicks
    <folder>/Typewriter/<code>.wav  the Typewriter scheme
    <folder>/Voice/<code>.wav       the Voice scheme (needs espeak-ng and sox)

one mono 16-bit WAV per key code that a scheme holds.

    python3 resources/sounds/make_sounds.py <folder>
"""

import os
import sys

from click_sets import default_sound, typewriter_sound
from key_names import CODES
from synth import write_wav
from voice_set import write_voice_set


def write_set(folder, sound_of):
    os.makedirs(folder, exist_ok=True)
    for code in CODES:
        write_wav(os.path.join(folder, "%d.wav" % code), sound_of(code))


def main(argv):
    if len(argv) != 2:
        sys.exit(__doc__)
    folder = argv[1]
    write_set(folder, default_sound)
    write_set(os.path.join(folder, "Typewriter"), typewriter_sound)
    write_voice_set(os.path.join(folder, "Voice"))


if __name__ == "__main__":
    main(sys.argv)
