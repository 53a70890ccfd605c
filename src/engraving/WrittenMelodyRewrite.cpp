// Writing a melody again after an edit, from the last point before it where
// nothing reaches over.

#include <algorithm>

#include "engraving/WrittenMelody.h"

namespace {

// Where writing may start again: a piece that begins a note, on a bar line
// (or on a beat without a meter), with nothing tied, slurred or grouped
// into it from before.
bool isFreshStart(const WrittenMelody &written, std::size_t p)
{
    if (p == 0)
        return true;
    const WrittenPiece &piece = written.pieces[p];
    const WrittenPiece &before = written.pieces[p - 1];
    if (before.note == piece.note || before.tiedToNext || before.slurredToNext || before.tuplet >= 0)
        return false;
    return written.meter ? before.barAfter && piece.start % (written.meter * 24) == 0 : piece.start % 24 == 0;
}

template<typename Span>
void appendShifted(std::vector<Span> &into, const std::vector<Span> &from, int by)
{
    for (Span span : from) {
        span.first += by;
        span.last += by;
        into.push_back(span);
    }
}

} // namespace

WrittenMelody rewriteMelody(const WrittenMelody &old, const Melody &melody, int firstChanged, int *kept)
{
    if (kept)
        *kept = 0;
    const int meter = melody.meter == 2 || melody.meter == 3 || melody.meter == 4 ? melody.meter : 0;
    if (meter != old.meter || melody.tempo != old.tempo || firstChanged <= 1 || old.pieces.empty())
        return writeMelody(melody);
    // The last fresh start at or before the note before the change (a note's
    // pieces depend on the note after it).
    const int limit = std::min(firstChanged - 1, old.pieces.back().note);
    auto p = std::size_t(std::lower_bound(old.pieces.begin(), old.pieces.end(), limit,
                                          [](const WrittenPiece &piece, int note) { return piece.note < note; })
                         - old.pieces.begin());
    while (p > 0 && !isFreshStart(old, p))
        --p;
    if (p == 0)
        return writeMelody(melody);
    const int from = old.pieces[p].note;
    const int offset = old.pieces[p].start;
    Melody rest;
    rest.tempo = melody.tempo;
    rest.meter = meter;
    rest.notes.assign(melody.notes.begin() + from, melody.notes.end());
    const WrittenMelody tail = writeMelody(rest);

    WrittenMelody written;
    written.tempo = old.tempo;
    written.meter = old.meter;
    written.pieces.reserve(p + tail.pieces.size());
    written.pieces.assign(old.pieces.begin(), old.pieces.begin() + std::ptrdiff_t(p));
    const auto before = [&](const auto &span) { return std::size_t(span.last) < p; };
    for (const TupletGroup &group : old.tuplets)
        if (before(group))
            written.tuplets.push_back(group);
    for (const SlurSpan &slur : old.slurs)
        if (before(slur))
            written.slurs.push_back(slur);
    for (const BeamGroup &beam : old.beams)
        if (before(beam))
            written.beams.push_back(beam);
    const int tupletsBefore = int(written.tuplets.size());
    for (WrittenPiece piece : tail.pieces) {
        piece.note += from;
        piece.start += offset;
        if (piece.tuplet >= 0)
            piece.tuplet += tupletsBefore;
        written.pieces.push_back(piece);
    }
    appendShifted(written.tuplets, tail.tuplets, int(p));
    appendShifted(written.slurs, tail.slurs, int(p));
    appendShifted(written.beams, tail.beams, int(p));
    if (kept)
        *kept = int(p);
    return written;
}
