#pragma once

#include <memory>
#include <vector>

#include "cli/Command.h"

// The commands that need no window, for scripts and tests:
//   zepa render INPUT OUTPUT.wav   writes the melody as a WAV file
//   zepa play INPUT                plays it and ends when it has been heard
//   zepa nqc INPUT [OUT.nqc]       writes the NQC program
//   zepa mml INPUT OUT.mml         turns a program ZEPA wrote, or a voice of a MIDI
//                                  file (--track N --channel N), into a melody file
//   zepa midi INPUT OUT.mid        writes the melody as a Standard MIDI File
//   zepa export --target NAME INPUT OUTPUT
//                                  writes it as a program for the NXT, Pybricks hubs,
//                                  the micro:bit or ev3dev
//   zepa pdf [--meter 4/4] [--title TEXT] INPUT OUT.pdf
//                                  prints the melody as sheet music into a PDF file
//   zepa --help                    lists the commands
// INPUT is any file ZEPA reads: a melody file, a program ZEPA wrote, a MIDI
// file. Each exits 0 on success and otherwise non-zero with one line on
// standard error.

// Every command, in the order the help lists them.
const std::vector<std::unique_ptr<Command>> &commands();

// Whether the arguments ask for a command rather than the windows: anything
// but nothing at all or a single file to open. A file need not exist (the
// windows then say so): a single word that is there, or has a dot or a slash
// in it, is a file; any other is a command.
bool isCommandLine(int argc, char *argv[]);
int runCommandLine(int argc, char *argv[]);
