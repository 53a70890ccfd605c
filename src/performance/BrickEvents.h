#pragma once

#include <span>
#include <vector>

#include <QString>

#include "score/NoteRecord.h"

// What the brick is told to do, one statement of the written program each: a
// tone put into its sound queue, or a wait that holds the program. Ticks are
// 10 ms.
struct BrickEvent {
    enum class Kind : quint8 { Tone, Wait };
    Kind kind;
    quint8 tone; // index into brickTones(), for a Tone
    quint16 ticks; // how long the tone sounds, or the program waits

    bool operator==(const BrickEvent &) const = default;
};

// The brick takes at most 255 ticks in one tone or wait statement.
inline constexpr int MaxTicksPerStatement = 255;

// How long a note's tone sounds: its ticks less the gap of its articulation.
// A very short note still sounds 2 ticks (normal) or 1 tick (staccato).
constexpr int soundTicks(const NoteRecord &note)
{
    int sound = note.ticks - gapTicks(note.articulation);
    if (sound < 1) {
        if (note.articulation == Articulation::Normal)
            sound = 2;
        else if (note.articulation == Articulation::Staccato)
            sound = 1;
    }
    return sound;
}

// Hands the statements of one note or rest to visit(BrickEvent), in order. A
// note gives its tone in pieces of 255 ticks, each followed by a wait of 255,
// then the rest of its tone; then, note or rest, waits of 255 while more than
// 255 ticks remain, and the remainder. The brick thus sounds the tone for its
// sound ticks and is silent for the gap, and the whole note lasts its ticks.
// (A template so that a writer composing a full score pays no call per event.)
template<typename Visit>
void visitBrickEvents(const NoteRecord &note, Visit &&visit)
{
    Q_ASSERT(note.isChosen());
    constexpr auto Tone = BrickEvent::Kind::Tone;
    constexpr auto Wait = BrickEvent::Kind::Wait;
    int length = note.ticks;
    if (!note.isRest()) {
        const auto tone = static_cast<quint8>(note.pitch * 5 + static_cast<int>(note.octave));
        int sound = soundTicks(note);
        while (sound > MaxTicksPerStatement) {
            visit(BrickEvent{Tone, tone, MaxTicksPerStatement});
            visit(BrickEvent{Wait, 0, MaxTicksPerStatement});
            sound -= MaxTicksPerStatement;
            length -= MaxTicksPerStatement;
        }
        visit(BrickEvent{Tone, tone, static_cast<quint16>(sound)});
    }
    while (length > MaxTicksPerStatement) {
        visit(BrickEvent{Wait, 0, MaxTicksPerStatement});
        length -= MaxTicksPerStatement;
    }
    visit(BrickEvent{Wait, 0, static_cast<quint16>(length)});
}

// A note or rest as the brick plays it, its statements summed: the tone of a
// note, how long it sounds and how long it lasts, sound and silence together.
struct PlayedNote {
    int tone = -1; // index into brickTones(); -1 for a rest
    int soundTicks = 0;
    int lengthTicks = 0;

    bool isRest() const { return tone < 0; }
};

inline PlayedNote playedNote(const NoteRecord &note)
{
    PlayedNote played;
    visitBrickEvents(note, [&played](const BrickEvent &statement) {
        if (statement.kind == BrickEvent::Kind::Tone) {
            played.tone = statement.tone;
            played.soundTicks += statement.ticks;
        }
        played.lengthTicks += statement.kind == BrickEvent::Kind::Wait ? statement.ticks : 0;
    });
    return played;
}

// The statements of one note appended to a list.
void appendBrickEvents(const NoteRecord &note, std::vector<BrickEvent> &events);

// The statements of a whole melody, in order. Everything that plays, writes or
// measures a melody starts from here, so they cannot disagree.
std::vector<BrickEvent> brickEvents(std::span<const NoteRecord> notes);

// A length in ticks as a user reads it: "m:ss", or "h:mm:ss" from an hour on.
QString minutesAndSeconds(qint64 ticks);
