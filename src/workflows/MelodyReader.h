#pragma once

#include <functional>
#include <optional>
#include <vector>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "midi/MidiReader.h"
#include "performance/BrickEvents.h"
#include "score/Melody.h"

// The one reader of a melody from a file, for the windows and the command
// line alike. The kind of a file is told from its bytes, never its name:
//   a MIDI file      "MThd" first, or a RIFF MIDI file (.rmi); one voice
//                    becomes the melody, as the MIDI import makes it (the
//                    top line a listener hears, lengths fitted to ZEPA's
//                    thirteen, octaves moved in)
//   MusicXML         a zip (.mxl), or XML whose root is a MusicXML score;
//                    its first part, made a melody as the MIDI import makes one
//   a program        the frequency table ZEPA writes first; its statements,
//                    and the melody they were written from where one tempo
//                    and one length per note explain them
//   a melody file    anything else, read as MML
// A file's kind is told wherever its first element comes (a MusicXML score
// after a long comment, in UTF-16), and each kind has its own size cap, which
// applies to whatever is read, devices and pipes too.
// Every refusal is one sentence for the user, in Japanese.
enum class MelodyKind { MelodyFile, Program, Midi, MusicXml };

struct MelodyReadOptions {
    // Only this kind is taken; another is refused as not of this kind.
    std::optional<MelodyKind> onlyKind;
    // The voice of a MIDI file: track and channel, 1-based, 0 for the first
    // with notes …
    int track = 0;
    int channel = 0;
    // … unless the user is asked which, when there are several: the voice's
    // place in the list, or nothing when the user cancelled.
    std::function<std::optional<std::size_t>(const std::vector<MidiVoice> &voices)> chooseVoice;
};

struct MelodyRead {
    enum class Status {
        Read, // the statements, and the melody unless melodyError says why not
        Cancelled, // the user chose no voice
        Unreadable, // the file could not be opened or read
        Refused, // not a melody ZEPA can read: error says why
        NoSuchVoice, // the MIDI file has no notes in the track and channel asked for
    };
    Status status = Status::Refused;
    MelodyKind kind = MelodyKind::MelodyFile;
    Melody melody;
    std::vector<BrickEvent> events; // what the brick plays: for a program, as written
    QString error; // why it was refused or could not be read
    QString systemError; // Unreadable: the system's own words for it
    int line = 0; // where in a melody file or a program, 1-based; 0 when nowhere
    int column = 0; // in a melody file
    QString melodyError; // a program read whose notes cannot be told: why
    std::vector<MidiVoice> voices; // NoSuchVoice: the voices that have notes
    QStringList changes; // what making the melody changed (a MIDI file), in the windows' language
    QString title; // the name the file gives its melody (#title, TrackName, <work-title>), if any

    bool ok() const { return status == Status::Read; }
    bool hasMelody() const { return ok() && melodyError.isEmpty(); }
    // error with its place, as a box shows it: "2行目 2文字目: …"
    QString placedError() const;
};

MelodyKind melodyKindOf(const QByteArray &bytes);

// The largest file of each kind that can be a melody ZEPA holds, in bytes,
// far above what 32767 notes need (a full score is about 0.2 MB as a melody
// file, 4 MB as a program, 0.3 MB as a MIDI file): a larger one is refused
// before it is read into memory.
qint64 largestFileOf(MelodyKind kind);
MelodyRead readMelodyBytes(const QByteArray &bytes, const MelodyReadOptions &options = {});
MelodyRead readMelodyFile(const QString &path, const MelodyReadOptions &options = {});
