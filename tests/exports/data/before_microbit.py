# Written by ZEPA: tempo 60, 5 notes and 1 rests
# For the micro:bit: one tick is 10 ms, so every note lasts as long as on the RCX.
import music

music.set_tempo(ticks=25, bpm=240)
MELODY = [
    "c5:390", "r:10", "r:100", "e5:30", "r:20", "g5:200", "a5:12", "b5:28",
    "r:10",
]

music.play(MELODY)
