#include "mml/MelodyFromEvents.h"

#include <algorithm>
#include <cstdlib>

#include <QCoreApplication>

#include "score/ComposerState.h"
#include "score/TempoReader.h"

namespace {

// A note or rest that may stand at a place of the statements: the record,
// and how many statements it takes.
struct Piece {
    NoteRecord note;
    std::size_t statements = 0;
};

// The statements a note writes, at most this many: a tone of up to 400 ticks
// sounds in two pieces, and waits of 255 follow while more remains.
constexpr std::size_t MostStatements = 8;
constexpr std::size_t MostStatementsOfAScore = 4 * std::size_t(ComposerState::ScoreCapacity);

// Whether the note, written out, gives exactly the statements from place on.
bool writesAs(const NoteRecord &note, std::span<const BrickEvent> events, std::size_t place, std::size_t &count)
{
    count = 0;
    bool fits = true;
    visitBrickEvents(note, [&](const BrickEvent &event) {
        fits = fits && count < MostStatements && place + count < events.size() && events[place + count] == event;
        ++count;
    });
    return fits;
}

// Every note or rest of the allowed lengths that writes the statements from
// place on, in a fixed order: longer pieces first, then the articulations
// normal, staccato, slur. Where two articulations write the same statements
// (a note of 11 ticks sounds 1 either way) they play the same: the first is taken.
std::vector<Piece> piecesAt(std::span<const BrickEvent> events, std::size_t place, int tempo,
                            const std::vector<NoteLength> &lengths)
{
    std::vector<Piece> pieces;
    const BrickEvent &first = events[place];
    for (NoteLength length : lengths) {
        NoteRecord note;
        note.length = length;
        note.ticks = lengthTicks(length, tempo);
        if (first.kind == BrickEvent::Kind::Wait) {
            note.pitch = NoteRecord::Rest;
            std::size_t count = 0;
            if (writesAs(note, events, place, count))
                pieces.push_back({note, count});
            continue;
        }
        if (first.tone >= PitchCount * 5)
            return {};
        note.pitch = first.tone / 5;
        note.octave = Octave(first.tone % 5);
        for (Articulation articulation : AllArticulations) {
            note.articulation = articulation;
            std::size_t count = 0;
            if (writesAs(note, events, place, count)) {
                pieces.push_back({note, count});
                break;
            }
        }
    }
    std::stable_sort(pieces.begin(), pieces.end(),
                     [](const Piece &a, const Piece &b) { return a.statements > b.statements; });
    return pieces;
}

// The lengths whose ticks at the tempo no other length has, or all of them.
std::vector<NoteLength> lengthsAt(int tempo, bool onlyUnique)
{
    std::vector<NoteLength> lengths;
    for (const NoteLengthEntry &entry : noteLengthTable()) {
        const qint16 ticks = lengthTicks(entry.length, tempo);
        const auto same
            = std::count_if(noteLengthTable().begin(), noteLengthTable().end(),
                            [&](const NoteLengthEntry &other) { return lengthTicks(other.length, tempo) == ticks; });
        if (!onlyUnique || same == 1)
            lengths.push_back(entry.length);
    }
    return lengths;
}

// The notes that write exactly the statements at the tempo, found by trying
// every way of cutting them into notes: a note or rest that ends on a wait of
// 255 may be followed by a rest, or a slurred note of 255 by the same tone,
// and only the cutting that fits says which. furthest tells how far the
// statements could be explained when they cannot be.
std::optional<std::vector<NoteRecord>> notesAt(std::span<const BrickEvent> events, int tempo,
                                               const std::vector<NoteLength> &lengths, std::size_t &furthest)
{
    const std::size_t count = events.size();
    // How each place was first reached: the place before it and the piece.
    std::vector<std::optional<std::pair<std::size_t, NoteRecord>>> reachedBy(count + 1);
    std::vector<bool> reached(count + 1, false);
    reached[0] = true;
    for (std::size_t place = 0; place < count; ++place) {
        if (!reached[place])
            continue;
        furthest = std::max(furthest, place);
        for (const Piece &piece : piecesAt(events, place, tempo, lengths)) {
            const std::size_t next = place + piece.statements;
            if (!reached[next]) {
                reached[next] = true;
                reachedBy[next] = std::make_pair(place, piece.note);
            }
        }
    }
    if (!reached[count])
        return std::nullopt;
    std::vector<NoteRecord> notes;
    for (std::size_t place = count; place > 0; place = reachedBy[place]->first)
        notes.push_back(reachedBy[place]->second);
    std::reverse(notes.begin(), notes.end());
    return notes;
}

} // namespace

MelodyFromEventsResult melodyFromEvents(std::span<const BrickEvent> events)
{
    MelodyFromEventsResult result;
    if (events.empty())
        return result;
    // A note writes at most four statements (a tone in two pieces, each with
    // its wait), a rest two: more than the score's notes could write is no
    // melody ZEPA holds.
    if (events.size() > MostStatementsOfAScore) {
        result.error = QStringLiteral("%1 statements are more than %2 notes can write")
                           .arg(events.size())
                           .arg(ComposerState::ScoreCapacity);
        return result;
    }
    // The tempos nearest 120 first; first those where every note's length is
    // the only one of its ticks, then any.
    std::vector<int> tempos;
    for (int tempo = TempoReader::MinimumTempo; tempo <= TempoReader::MaximumTempo; ++tempo)
        tempos.push_back(tempo);
    std::stable_sort(tempos.begin(), tempos.end(), [](int a, int b) {
        return std::abs(a - Melody::DefaultTempo) < std::abs(b - Melody::DefaultTempo);
    });
    std::size_t furthest = 0;
    for (bool onlyUnique : {true, false}) {
        for (int tempo : tempos) {
            std::optional<std::vector<NoteRecord>> notes
                = notesAt(events, tempo, lengthsAt(tempo, onlyUnique), furthest);
            if (!notes)
                continue;
            result.melody.tempo = tempo;
            // A rest keeps the octave and articulation of the note before it.
            Octave octave = Octave::Middle;
            Articulation articulation = Articulation::Normal;
            for (NoteRecord &note : *notes) {
                if (note.isRest()) {
                    note.octave = octave;
                    note.articulation = articulation;
                } else {
                    octave = note.octave;
                    articulation = note.articulation;
                }
            }
            if (notes->size() > std::size_t(ComposerState::ScoreCapacity)) {
                result.error = QCoreApplication::translate("MelodyFromEvents",
                                                           "命令から %1 音になり、楽譜に入る %2 音を超えます")
                                   .arg(notes->size())
                                   .arg(ComposerState::ScoreCapacity);
                return result;
            }
            result.melody.notes = std::move(*notes);
            return result;
        }
    }
    result.error
        = QCoreApplication::translate(
              "MelodyFromEvents",
              "60 から 240 のどのテンポでも、命令がZEPAの長さの音になりません（%1 番目の命令で始まる音がありません）")
              .arg(furthest + 1);
    return result;
}
