#pragma once

#include <array>
#include <map>
#include <optional>
#include <vector>

#include <QString>
#include <QStringList>

#include "mml/MmlDialect.h"

// A melody file cut into its commands once, in the dialect it is written in:
// blanks, comments, headers and definitions are read here and never again,
// however often a loop plays what is between them.

// Lengths are counted in 1920ths of a whole note: every length the dialects
// write (a 64th, a triplet 32nd, double dots, ticks of 96 or 48 a quarter)
// is a whole number of them.
inline constexpr qint64 UnitsPerWhole = 1920;

// What a file has that ZEPA does not keep, by kind, with the place of the
// first of each and how many there are.
class MmlLeftOut {
public:
    void add(const QString &what, int line, int column, int count = 1);
    bool isEmpty() const { return m_kinds.empty(); }
    int total() const;
    // "音量 v（2 か所、最初は 1行目 1文字目）、…", in the order first met.
    QString listed() const;

private:
    struct Kind {
        QString what;
        int count = 0;
        int line = 0;
        int column = 0;
        int order = 0;
    };
    std::map<QString, Kind> m_kinds;
};

struct MmlToken {
    enum class Kind {
        Note, // letter 0 … 6 from C, accidentals, maybe a length
        NoteNumber, // number: a MIDI key
        Rest,
        Tie, // ^: the note before again, tied into; maybe a length
        Slur, // &: the note before slurred or tied into the next
        DefaultLength, // l
        Octave, // o number
        Greater, // >
        Less, // <
        OnceUp, // `: the next note an octave higher
        OnceDown, // ": the next note an octave lower
        Tempo, // number
        Gate, // q number; upper: written Q
        Transpose, // k number, semitones
        KeyFlags, // flags: a key signature, semitones for each letter from C
        LoopStart, // number: the count where it comes first
        LoopBreak, // the last time round, the loop ends here
        LoopEnd, // number: the count where it comes last
        Track, // tracks: the tracks the commands after it belong to
        NextTrack, // ;
        TrackEnd, // the rest of this track is not played
        ChordStart,
        ChordEnd, // maybe a length
        TupletStart,
        TupletEnd, // a length: the notes since the start share it
    };
    Kind kind = Kind::Note;
    int line = 0;
    int column = 0;
    int letter = 0;
    int accidentals = 0;
    bool natural = false; // * : the key signature does not apply
    std::optional<int> number;
    bool upper = false;
    // A length written with the command: units, or only dots on the default.
    std::optional<qint64> units;
    int dots = 0;
    bool roundedLength = false; // written as a fraction no whole number of units makes
    std::array<int, 7> flags{};
    QStringList tracks;
};

struct MmlLexed {
    std::vector<MmlToken> tokens;
    QString title;
    int meter = 0; // quarter notes a bar, 2, 3 or 4, when the file gives one
    MmlLeftOut leftOut;
    // Signs no dialect has: many of them, and the text is no MML at all.
    int unknown = 0;
    QString firstUnknown;
    int unknownLine = 0;
    int unknownColumn = 0;
};

MmlLexed lexMml(const QString &text, const MmlDialect &dialect);
