#pragma once

#include <memory>
#include <vector>

#include "base/UiLanguage.h"
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
//   zepa musicxml / lilypond INPUT OUTPUT   writes the melody for notation programs
//   zepa send INPUT                sends it to the RCX
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
// Runs the command in the language --lang chose (taken out of the arguments
// before), else the setting's, else the system's.
int runCommandLine(int argc, char *argv[], const UiLanguages::LanguageOption &language = {});
// The application made, a language chosen by the option, the setting or the
// system installed; false, after the message, when --lang named none.
bool installChosenLanguage(const UiLanguages::LanguageOption &language);
