"""The keys that have a sound in every scheme, by virtual-key code, with the
name the Voice set speaks for each. The codes are the program's scheme key
codes; the installer data names the same ones and the tests compare both."""

DIGITS = ["zero", "one", "two", "three", "four", "five", "six", "seven", "eight", "nine"]
NUMBERS = DIGITS[1:] + ["ten", "eleven", "twelve"]

SPOKEN_NAMES = {
    8: "Backspace", 9: "Tab", 13: "Enter",
    16: "Shift", 17: "Control", 18: "Alt", 19: "Pause", 20: "Caps Lock",
    27: "Escape",
    32: "Space", 33: "Page Up", 34: "Page Down", 35: "End", 36: "Home",
    37: "Left", 38: "Up", 39: "Right", 40: "Down",
    44: "Print Screen", 45: "Insert", 46: "Delete",
    **{48 + d: DIGITS[d] for d in range(10)},
    **{code: chr(code) for code in range(65, 91)},
    92: "Windows", 93: "Menu",
    **{112 + n: "F " + NUMBERS[n] for n in range(12)},
    145: "Scroll Lock",
    186: "Semicolon", 187: "Equals", 188: "Comma", 189: "Minus", 190: "Period",
    191: "Slash", 192: "Back quote",
    219: "Left bracket", 220: "Backslash", 221: "Right bracket", 222: "Quote",
}

CODES = sorted(SPOKEN_NAMES)

BACKSPACE, ENTER, SHIFT, CTRL, ALT, SPACE = 8, 13, 16, 17, 18, 32
MODIFIERS = (SHIFT, CTRL, ALT)
