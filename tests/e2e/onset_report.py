#!/usr/bin/env python3
"""Matches timed key presses to the first audible sample after each.

    onset_report.py <label> <chunks file> <raw file> <keys file> [<overlap keys file>]
    onset_report.py --all <label> <chunks file> <raw file> <keys file>

The chunks file comes from onset_recorder (capture time of each chunk's first
sample, on the same clock as the keys); the keys file from e2e_driver's
timed-keys. Prints the onset after each key's send as p50, p90 and max, and
the keys that got no onset before the next key. With an overlap keys file
(three presses a few ms apart), prints the sound energy after them relative
to one key's. With --all, every key of the file counts alike (no first key
apart), for sets taken in the same conditions, such as the first key after
each of several idle stops.
"""
import array
import statistics
import sys

RATE = 48000


def load_chunks(path):
    chunks = []
    start = 0
    with open(path) as f:
        for line in f:
            fields = line.split()
            if len(fields) != 4:
                break  # the recorder was stopped while writing its last line
            captured, count, first, peak = (int(x) for x in fields)
            chunks.append((captured, start, count, first))
            start += count
    return chunks


def load_keys(path):
    with open(path) as f:
        return [int(line.split()[0]) for line in f if line.strip()]


def sample_time(chunks, index):
    for captured, start, count, _ in chunks:
        if start <= index < start + count:
            return captured + (index - start) * 1e9 / RATE
    return None


def onsets(chunks, keys, limit_ns):
    """Milliseconds from each key to the first loud sample after it, or None."""
    result = []
    for i, key in enumerate(keys):
        end = keys[i + 1] if i + 1 < len(keys) else key + limit_ns
        found = None
        for captured, start, count, first in chunks:
            if first < 0:
                continue
            t = captured + first * 1e9 / RATE
            if key <= t < end:
                found = (t - key) / 1e6
                break
            if t >= end:
                break
        result.append(found)
    return result


def energy(samples, chunks, begin_ns, length_ns):
    total = 0.0
    for captured, start, count, _ in chunks:
        if captured + count * 1e9 / RATE < begin_ns or captured > begin_ns + length_ns:
            continue
        for i in range(start, start + count):
            t = captured + (i - start) * 1e9 / RATE
            if begin_ns <= t < begin_ns + length_ns:
                total += float(samples[i]) ** 2
    return total


def describe(label, values):
    heard = sorted(v for v in values if v is not None)
    missing = len(values) - len(heard)
    if not heard:
        return "%s: %d keys, no onset heard" % (label, len(values))
    p90 = heard[min(len(heard) - 1, int(round(0.9 * (len(heard) - 1))))]
    return "%s: %d keys, onset p50 %.1f ms, p90 %.1f ms, max %.1f ms, no onset %d" % (
        label, len(values), statistics.median(heard), p90, heard[-1], missing)


def main(argv):
    if argv[1] == "--all":
        label, chunks_path, raw_path, keys_path = argv[2:6]
        print(describe(label, onsets(load_chunks(chunks_path), load_keys(keys_path), 400_000_000)))
        return
    label, chunks_path, raw_path, keys_path = argv[1:5]
    chunks = load_chunks(chunks_path)
    keys = load_keys(keys_path)
    values = onsets(chunks, keys, 400_000_000)
    print(describe(label + " first key", values[:1]))
    print(describe(label, values[1:]))
    if len(argv) > 5:
        data = open(raw_path, "rb").read()
        samples = array.array("h", data[: len(data) // 2 * 2])
        triple = load_keys(argv[5])
        window = 250_000_000
        singles = [energy(samples, chunks, k, window) for k, v in zip(keys[1:], values[1:]) if v is not None]
        single = statistics.median(singles) or 1.0
        together = energy(samples, chunks, triple[0], window)
        print("%s overlap of three keys %.0f ms apart: energy %.2f x one key's" % (
            label, (triple[-1] - triple[0]) / 2e6, together / single))


if __name__ == "__main__":
    main(sys.argv)
