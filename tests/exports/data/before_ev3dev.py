#!/usr/bin/env python3
# Written by ZEPA: tempo 60, 5 notes and 1 rests
# For the EV3 running ev3dev.
from ev3dev2.sound import Sound

SONG = (
    ("C5", "w"), ("R", "q"), ("E5", "e"), ("G5", "h"), ("A5", "s3"), ("B5", "s."),
)

Sound().play_song(SONG, tempo=60)
