#!/usr/bin/env python3
"""Generates tempo texts and what the rule says of each, from an implementation
that shares nothing with ZEPA's: Python's own NFKC and exact decimal rounding.

The rule: the text, after NFKC normalisation, is blanks, an optional sign,
digits with an optional decimal point, an optional exponent, blanks; its value,
rounded half to even to an integer, lies from 60 to 240.

Prints one line a text: the tempo or "-", a tab, the text's UTF-8 in hex.
"""
import decimal
import random
import re
import sys
import unicodedata

NUMBER = re.compile(r"[ \t]*([+-]?)([0-9]*)(?:\.([0-9]*))?(?:[eE]([+-]?[0-9]+))?[ \t]*")


def tempo(text):
    normal = unicodedata.normalize("NFKC", text)
    match = NUMBER.fullmatch(normal)
    if not match:
        return None
    sign, whole, fraction, exponent = match.groups()
    if not whole and not fraction:
        return None
    value = decimal.Decimal("%s%s.%se%s" % (sign, whole or "0", fraction or "0", exponent or "0"))
    if value.is_zero() or value.adjusted() < -3:
        return None  # rounds to 0
    if value.adjusted() > 6:
        return None
    context = decimal.Context(prec=len(whole) + len(fraction or "") + 20)
    rounded = int(value.quantize(decimal.Decimal(1), rounding=decimal.ROUND_HALF_EVEN, context=context))
    return rounded if 60 <= rounded <= 240 else None


DIGITS = [
    "0123456789",
    "０１２３４５６７８９",
    "⁰¹²³⁴⁵⁶⁷⁸⁹",
    "₀₁₂₃₄₅₆₇₈₉",
    "𝟎𝟏𝟐𝟑𝟒𝟓𝟔𝟕𝟖𝟗",
]
PLUS = ["+", "＋", "﹢", "⁺", "₊"]
MINUS = ["-", "－", "﹣", "⁻", "₋", "\u2212"]  # the last is no sign under NFKC
POINT = [".", "．", "﹒", ","]
EXPONENT = ["e", "E", "ｅ", "Ｅ"]
BLANK = [" ", "\t", "\u00a0", "\u2002", "\u2003", "\u3000", "\u200b"]
CIRCLED = {10: "⑩", 11: "⑪", 12: "⑫", 15: "⑮", 20: "⑳"}


def digits_of(number_text, random_):
    out = []
    index = 0
    while index < len(number_text):
        two = number_text[index:index + 2]
        if len(two) == 2 and int(two) in CIRCLED and random_.random() < 0.1:
            out.append(CIRCLED[int(two)])
            index += 2
            continue
        digit = int(number_text[index])
        out.append(random_.choice(DIGITS if random_.random() < 0.5 else DIGITS[:1])[digit])
        index += 1
    return "".join(out)


def generate(random_):
    kind = random_.random()
    if kind < 0.05:
        alphabet = "0123456789.+-eE x１２．" + "".join(BLANK)
        return "".join(random_.choice(alphabet) for _ in range(random_.randint(0, 8)))
    whole = str(random_.choice([random_.randint(0, 300), random_.randint(55, 245), 59, 60, 240, 241]))
    text = digits_of(whole, random_)
    if random_.random() < 0.6:
        fraction = random_.choice(["5", "49", "50", "51", "4999999999999999999", "5000000000000000001",
                                   "50000000000000000000000000", "", str(random_.randint(0, 10 ** 6))])
        text += random_.choice(POINT) + digits_of(fraction, random_)
    if random_.random() < 0.15:
        shift = random_.randint(-3, 3)
        exponent = str(abs(shift))
        sign = "" if shift >= 0 and random_.random() < 0.5 else random_.choice(MINUS if shift < 0 else PLUS)
        text += random_.choice(EXPONENT) + sign + digits_of(exponent, random_)
    if random_.random() < 0.2:
        text = random_.choice(PLUS + MINUS) + text
    if random_.random() < 0.3:
        text = random_.choice(BLANK) * random_.randint(1, 2) + text
    if random_.random() < 0.3:
        text += random_.choice(BLANK) * random_.randint(1, 2)
    if random_.random() < 0.03:
        position = random_.randint(0, len(text))
        text = text[:position] + random_.choice(BLANK + ["x", "0x"]) + text[position:]
    return text


def main():
    count = int(sys.argv[1]) if len(sys.argv) > 1 else 100000
    random_ = random.Random(20261207)
    out = []
    for _ in range(count):
        text = generate(random_)
        value = tempo(text)
        out.append("%s\t%s" % ("-" if value is None else value, text.encode("utf-8").hex()))
    sys.stdout.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main()
