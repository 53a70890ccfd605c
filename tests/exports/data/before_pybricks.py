# Written by ZEPA: tempo 60, 5 notes and 1 rests
# For hubs with a speaker running Pybricks MicroPython (SPIKE Prime, EV3).
from pybricks.hubs import ThisHub

hub = ThisHub()
MELODY = [
    "C5/1", "R/4", "E5/8", "G5/2_", "A5/32_", "B5/16.",
]

hub.speaker.play_notes(MELODY, tempo=60)
