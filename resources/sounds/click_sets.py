"""The two synthesized sets: Clavitone's default soft click (the program
folder's <code>.wav) and the Typewriter scheme. Each returns a mono sound for
a key code; all stay well under 150 ms."""

from key_names import ALT, BACKSPACE, CTRL, ENTER, MODIFIERS, SHIFT, SPACE
from synth import add, finish, noise, partials, tone


# --- the default set: a soft, rounded click -----------------------------------

def soft_click(code):
    # A little pitch spread over the keys keeps fast typing from sounding
    # like a machine gun; the spread is fixed per key, so a key always sounds alike.
    body = 210 + (code * 37) % 60
    mix = tone(body, 60, 9, 0.8)
    add(mix, noise(12, 1.5, 0.6, seed=code, brightness=0.8))
    add(mix, tone(body * 5.1, 30, 4, 0.15))
    return finish(mix, 60, 0.6)


def soft_enter():
    # Two steps, a click and a lower landing, so Enter is heard as the end of a line.
    mix = soft_click(ENTER)
    add(mix, tone(150, 70, 14, 0.9), at_ms=35)
    add(mix, noise(10, 2, 0.3, seed=ENTER + 1, brightness=0.6), at_ms=35)
    return finish(mix, 110, 0.65)


def soft_space():
    mix = tone(125, 90, 20, 0.9)
    add(mix, noise(40, 8, 0.5, seed=SPACE, brightness=0.35))
    return finish(mix, 90, 0.65)


def soft_backspace():
    # A falling blip: something taken back.
    mix = tone(1300, 70, 14, 0.7, sweep_to=600)
    add(mix, noise(8, 1.2, 0.4, seed=BACKSPACE, brightness=0.8))
    return finish(mix, 70, 0.5)


def soft_modifier(code):
    # Muted and quieter: modifiers are held, not typed.
    pitch = {SHIFT: 160, CTRL: 140, ALT: 180}[code]
    mix = tone(pitch, 50, 8, 1.0)
    add(mix, noise(6, 1, 0.2, seed=code, brightness=0.3))
    return finish(mix, 50, 0.35)


def default_sound(code):
    if code == ENTER:
        return soft_enter()
    if code == SPACE:
        return soft_space()
    if code == BACKSPACE:
        return soft_backspace()
    if code in MODIFIERS:
        return soft_modifier(code)
    return soft_click(code)


# --- the Typewriter set: type bars, a heavy space bar, the bell ---------------

STRIKE_PITCHES = (1650, 1820, 1980, 2150)
METAL_RATIOS = (1.0, 2.31, 3.87)


def strike(variant):
    """A type bar hitting the platen: a sharp impact, a short metallic ring,
    the thud of the platen and the bar falling back a moment later."""
    mix = noise(20, 1.5, 1.0, seed=100 + variant, brightness=0.9)
    add(mix, partials(STRIKE_PITCHES[variant], METAL_RATIOS, (0.35, 0.2, 0.12), 90, 14))
    add(mix, tone(95 + 8 * variant, 80, 18, 0.6))
    add(mix, noise(15, 2, 0.35, seed=200 + variant, brightness=0.7), at_ms=28 + 4 * variant)
    return finish(mix, 120, 0.8)


def heavy_step(seed, pitch, ms, rattle_ms, rattle_tau_ms, clack_at_ms, peak):
    """A heavy part of the machine moving: a low thud with a dull rattle, and a
    clack as it comes to rest."""
    mix = tone(pitch, ms, ms / 4, 1.0)
    add(mix, noise(rattle_ms, rattle_tau_ms, 0.55, seed=seed, brightness=0.4))
    add(mix, noise(15, 2, 0.4, seed=seed + 1, brightness=0.7), at_ms=clack_at_ms)
    return finish(mix, ms, peak)


def space_bar():
    # No type bar: the whole carriage steps, heavier and duller than a key.
    return heavy_step(SPACE, 70, 140, 60, 12, 45, 0.85)


def carriage_shift():
    # Shift lifts the whole type basket: a lower clunk than a key.
    return heavy_step(SHIFT, 85, 120, 25, 4, 60, 0.7)


def carriage_bell():
    # The return lever's clack, then the bell that ends a line.
    mix = noise(12, 2, 0.6, seed=ENTER, brightness=0.8)
    add(mix, partials(2093, (1.0, 2.0, 2.76, 5.4), (1.0, 0.35, 0.5, 0.2), 145, 90))
    return finish(mix, 145, 0.75)


def typewriter_sound(code):
    if code == ENTER:
        return carriage_bell()
    if code == SPACE:
        return space_bar()
    if code in (SHIFT, CTRL, ALT, BACKSPACE):
        return carriage_shift()
    return strike(code % len(STRIKE_PITCHES))
