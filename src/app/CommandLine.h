#pragma once

// The commands that need no window, for scripts and tests:
//   zepa render INPUT OUTPUT.wav   writes the melody as a WAV file
//   zepa play INPUT                plays it and ends when it has been heard
//   zepa nqc INPUT.mml [OUT.nqc]   writes the NQC program of a melody file
//   zepa mml INPUT OUT.mml         turns a program ZEPA wrote, or a voice of a MIDI
//                                  file (--track N --channel N), into a melody file
//   zepa midi INPUT OUT.mid        writes the melody as a Standard MIDI File
//   zepa export --target NAME INPUT OUTPUT
//                                  writes it as a program for the NXT, Pybricks hubs,
//                                  the micro:bit or ev3dev
//   zepa --help                    lists the commands
// INPUT is a melody file (.mml) or an NQC program that ZEPA wrote. Each exits 0 on success and
// otherwise non-zero with one line on standard error.
bool isCommandLine(int argc, char *argv[]);
int runCommandLine(int argc, char *argv[]);

// The windows, as ZEPA starts without arguments.
int runWindows(int argc, char *argv[]);
