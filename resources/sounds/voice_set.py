"""The Voice set: each key's name spoken by espeak-ng, then trimmed,
resampled and normalized by sox, so a name starts at once and fits the
interval between two key presses."""

import os
import subprocess
import tempfile
import wave

from key_names import SPOKEN_NAMES

VOICE_RATE = 16000  # speech stays clear and the set stays small
LONGEST_S = 0.62     # names spoken longer than this are sped up to fit
SPEECH_RATE = 200    # words per minute


def duration(path):
    with wave.open(path) as wav:
        return wav.getnframes() / wav.getframerate()


def sox(source, target, *effects):
    subprocess.run(["sox", source, "-r", str(VOICE_RATE), "-b", "16", "-c", "1", target, *effects], check=True)


# Cut the silence espeak-ng leaves before and after the word: sox trims only
# from the front, so the tail is trimmed on the reversed sound.
TRIM = ["silence", "1", "0.002", "1%", "reverse", "silence", "1", "0.01", "0.5%", "reverse"]
# The same cut, then a short fade-out (on the reversed sound, as the length is
# not known yet), a 2 ms fade-in against a click, and full level.
TRIM_AND_LEVEL = ["silence", "1", "0.002", "1%", "reverse", "silence", "1", "0.01", "0.5%",
                  "fade", "0.03", "reverse", "fade", "0.002", "norm", "-1"]


def speak(code, target, work):
    spoken = os.path.join(work, "%d-spoken.wav" % code)
    trimmed = os.path.join(work, "%d-trimmed.wav" % code)
    subprocess.run(["espeak-ng", "-v", "en-us", "-s", str(SPEECH_RATE), "-w", spoken, SPOKEN_NAMES[code]], check=True)
    sox(spoken, trimmed, *TRIM)
    length = duration(trimmed)
    tempo = ["tempo", "-s", "%.3f" % (length / LONGEST_S)] if length > LONGEST_S else []
    sox(trimmed, target, *tempo, *TRIM_AND_LEVEL)


def write_voice_set(folder):
    os.makedirs(folder, exist_ok=True)
    with tempfile.TemporaryDirectory() as work:
        for code in sorted(SPOKEN_NAMES):
            speak(code, os.path.join(folder, "%d.wav" % code), work)
