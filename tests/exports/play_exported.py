"""Plays a program written for another brick the way its platform does, and
prints what would be heard: one line per stretch of sound or silence,
"frequency milliseconds", 0 for silence.

Usage: play_exported.py nxc|pybricks|microbit|ev3dev PROGRAM

Each rule below is the platform's own, read in its documentation or source
(named at the rule); nothing of ZEPA's is assumed. The Python programs are run
as they are, with the platform's modules replaced by models of these rules.
"""
import re
import sys
import types

kind, path = sys.argv[1], sys.argv[2]
source = open(path, encoding="utf-8").read()
segments = []  # (frequency or 0 for silence, milliseconds)

STEPS = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}


def frequency(name, octave):
    """Equal temperament, A4 = 440 Hz: scientific pitch notation, in which all
    four platforms name their octaves (micro:bit MicroPython "Music": "middle
    C is 'c4'"; Pybricks play_notes, ev3dev2 _NOTE_FREQUENCIES alike)."""
    step = STEPS[name[0].upper()] + (1 if name.endswith("#") else -1 if name.endswith("b") and len(name) > 1 else 0)
    return 440.0 * 2 ** ((12 * (octave + 1) + step - 69) / 12)


def sound(hertz, ms):
    segments.append((hertz, ms))


def silence(ms):
    segments.append((0, ms))


if kind == "nxc":
    # NXC Programmer's Guide (J. Hansen): PlayTone(frequency, duration) starts
    # a tone that plays for duration ms while the program goes on; Wait(ms)
    # holds the program. A tone ends when its duration is over.
    sounding_until = 0.0
    now = 0.0
    playing = None
    for line in source.splitlines():
        tone = re.fullmatch(r"\s*PlayTone\((\d+), (\d+)\);", line)
        wait = re.fullmatch(r"\s*Wait\((\d+)\);", line)
        if tone:
            playing = (int(tone.group(1)), now, now + int(tone.group(2)))
        elif wait:
            end = now + int(wait.group(1))
            if playing:
                hertz, start, stop = playing
                sound(hertz, min(stop, end) - now)
                silence(end - min(stop, end))
                playing = None if stop <= end else (hertz, end, stop)
            else:
                silence(end - now)
            now = end
else:
    # micro:bit MicroPython, micropython-microbit-v2 src/codal_port/modmusic.c
    # (V1: source/microbit/modmusic.cpp, the same rules).
    music = types.ModuleType("music")
    state = {"ticks": 4, "bpm": 120, "octave": 4, "duration": 4}

    def set_tempo(ticks=4, bpm=120):
        state["ticks"], state["bpm"] = ticks, bpm

    def pitch(hertz, duration=-1, pin=None, wait=True):
        # "Plays a pitch at the integer frequency given for the specified
        # number of milliseconds" (docs, music.pitch).
        sound(int(hertz), duration)

    def play(notes, pin=None, wait=True, loop=False):
        # Octave and duration carry over and are reset before playing (docs,
        # music.play); only two digits of a duration are read, and each note
        # sounds 10 ms less than its ticks and is followed by 10 ms of silence
        # (modmusic.c, the duration parser "handles up to two digits").
        state["octave"], state["duration"] = 4, 4
        tick = 60000 / state["bpm"] / state["ticks"]
        for note in ([notes] if isinstance(notes, str) else notes):
            name, octave, digits = re.fullmatch(r"([a-gA-GrR][#b]?)(\d)?(?::(\d+))?", note).groups()
            if octave:
                state["octave"] = int(octave)
            if digits:
                state["duration"] = int(digits[:2])
            ms = state["duration"] * tick
            if name.upper() == "R":
                silence(ms)
            else:
                sound(frequency(name, state["octave"]), max(ms - 10, 10))
                silence(10)

    music.set_tempo, music.pitch, music.play = set_tempo, pitch, play
    microbit = types.ModuleType("microbit")
    microbit.sleep = silence  # sleep(ms) waits ms milliseconds
    sys.modules["music"], sys.modules["microbit"] = music, microbit

    # Pybricks, pybricks-micropython pybricks/common/pb_type_speaker.c.
    class Speaker:
        def beep(self, hertz=500, duration=100):
            # Starts the tone, waits the duration, stops it; 64 to 24000 Hz.
            sound(min(max(hertz, 64), 24000), duration)

        def play_notes(self, notes, tempo=120):
            # A note lasts 240000 / tempo / fraction ms, dotted 3/2 of it, and
            # sounds 7/8 of that unless tied ("_").
            for note in notes:
                name, octave, fraction, dot, tie = re.fullmatch(
                    r"([A-G][#b]?|R)(\d)?/(\d+)(\.)?(_)?", note).groups()
                ms = 240000 / tempo / int(fraction) * (1.5 if dot else 1)
                if name == "R":
                    silence(ms)
                else:
                    on = ms if tie else ms * 7 / 8
                    sound(frequency(name, int(octave)), on)
                    silence(ms - on)

    class Hub:
        speaker = Speaker()

    hubs = types.ModuleType("pybricks.hubs")
    hubs.ThisHub = hubs.EV3Brick = Hub
    tools = types.ModuleType("pybricks.tools")
    tools.wait = silence  # wait(time) waits time milliseconds
    sys.modules["pybricks"] = types.ModuleType("pybricks")
    sys.modules["pybricks.hubs"], sys.modules["pybricks.tools"] = hubs, tools

    # ev3dev, ev3dev-lang-python ev3dev2/sound.py.
    VALUES = {"w": 1, "h": 1 / 2, "q": 1 / 4, "e": 1 / 8, "s": 1 / 16}

    class Sound:
        def tone(self, sequence):
            # One beep: "-f frequency -l duration -D delay" per tone, the delay
            # after it (beep's -D delays after every tone, the last too).
            for item in sequence:
                hertz, ms = item[0], item[1]
                sound(hertz, ms)
                silence(item[2] if len(item) > 2 else 0)

        def play_song(self, song, tempo=120, delay=0.05):
            # A whole note lasts 4 quarters of 60000 / tempo ms; "." makes 3/2
            # of it, "3" 2/3, "*x" x times, "/x" x times as well (the library
            # multiplies there too); every note is beep -l ms -D delay, every
            # rest sleep(ms / 1000 + delay).
            whole = 60000 / tempo * 4
            for name, value in song:
                base = re.match(r"[whqes]", value).group(0)
                ms = whole * VALUES[base]
                rest_of = value[1:]
                if rest_of == ".":
                    ms *= 1.5
                elif rest_of == "3":
                    ms *= 2 / 3
                elif rest_of[:1] in "*/" and rest_of:
                    ms *= float(rest_of[1:])
                if name == "R":
                    silence(ms + delay * 1000)
                else:
                    sound(frequency(name[:-1], int(name[-1])), int(ms))
                    silence(delay * 1000)

    sound_module = types.ModuleType("ev3dev2.sound")
    sound_module.Sound = Sound
    sys.modules["ev3dev2"] = types.ModuleType("ev3dev2")
    sys.modules["ev3dev2.sound"] = sound_module
    time_module = types.ModuleType("time")
    time_module.sleep = lambda seconds: silence(seconds * 1000)  # time.sleep(s)
    sys.modules["time"] = time_module
    exec(compile(source, path, "exec"), {"__name__": "__main__"})

for hz, ms in segments:
    if ms > 0:
        print("%.2f %.3f" % (hz, ms))
