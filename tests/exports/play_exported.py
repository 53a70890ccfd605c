"""Plays a program ZEPA exported the way its platform would, from the
platform's documented rules, and prints what would be heard: one line per
stretch of sound or silence, "frequency milliseconds", 0 for silence.

Usage: play_exported.py nxc|pybricks|microbit|ev3dev PROGRAM
"""
import re
import sys
import types

kind, path = sys.argv[1], sys.argv[2]
source = open(path, encoding="utf-8").read()
segments = []  # (frequency or 0 for silence, milliseconds)

STEPS = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}


def frequency(name, octave):
    step = STEPS[name[0].upper()] + (1 if name.endswith("#") else 0)
    return 440.0 * 2 ** ((12 * (octave + 1) + step - 69) / 12)


if kind == "nxc":
    # PlayTone starts a tone and returns; Wait holds the program.
    sounding = None
    for line in source.splitlines():
        tone = re.fullmatch(r"\s*PlayTone\((\d+), (\d+)\);", line)
        wait = re.fullmatch(r"\s*Wait\((\d+)\);", line)
        if tone:
            sounding = (int(tone.group(1)), int(tone.group(2)))
        elif wait:
            ms = int(wait.group(1))
            if sounding:
                segments += [(sounding[0], min(ms, sounding[1])), (0, ms - min(ms, sounding[1]))]
                sounding = None
            else:
                segments.append((0, ms))
else:
    def play_notes(notes, tempo):
        whole = 4 * 60000 / tempo
        for note in notes:
            name, octave, fraction, dot, tie = re.fullmatch(r"([A-G]#?|R)(\d)?/(\d+)(\.)?(_)?", note).groups()
            ms = whole / int(fraction) * (1.5 if dot else 1)
            if name == "R":
                segments.append((0, ms))
            else:  # released for the last eighth unless tied
                sound = ms if tie else ms * 7 / 8
                segments.extend([(frequency(name, int(octave)), sound), (0, ms - sound)])

    class Speaker:
        play_notes = staticmethod(play_notes)

    class ThisHub:
        speaker = Speaker()

    hubs = types.ModuleType("pybricks.hubs")
    hubs.ThisHub = ThisHub
    sys.modules["pybricks"] = types.ModuleType("pybricks")
    sys.modules["pybricks.hubs"] = hubs

    music = types.ModuleType("music")
    state = {"tick": 60000 / 120 / 4, "octave": 4, "ticks": 4}

    def set_tempo(ticks=4, bpm=120):
        state["tick"] = 60000 / bpm / ticks

    def play(notes):
        for note in notes:
            name, octave, ticks = re.fullmatch(r"([a-gr]#?)(\d)?(?::(\d+))?", note).groups()
            if octave:
                state["octave"] = int(octave)
            if ticks:
                state["ticks"] = int(ticks)
            ms = state["ticks"] * state["tick"]
            segments.append((0 if name == "r" else frequency(name, state["octave"]), ms))

    music.set_tempo, music.play = set_tempo, play
    sys.modules["music"] = music

    values = {"w": 4, "h": 2, "q": 1, "e": 0.5, "s": 0.25}

    class Sound:
        def play_song(self, song, tempo=120, delay=0.05):
            for name, length in song:
                base = values[length[0]] * 60000 / tempo
                ms = base * 1.5 if length.endswith(".") else base * 2 / 3 if length.endswith("3") else base
                segments.append((0 if name == "R" else frequency(name[:-1], int(name[-1])), ms))

    sound = types.ModuleType("ev3dev2.sound")
    sound.Sound = Sound
    sys.modules["ev3dev2"] = types.ModuleType("ev3dev2")
    sys.modules["ev3dev2.sound"] = sound
    exec(compile(source, path, "exec"), {})

for hz, ms in segments:
    if ms > 0:
        print("%.2f %.3f" % (hz, ms))
