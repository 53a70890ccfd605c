#include "engraving/WrittenMelody.h"

#include <array>
#include <optional>

namespace {

// Letter and sharp of each of the twelve pitches.
constexpr std::array<std::pair<int, bool>, PitchCount> Letters{{
    {0, false},
    {0, true},
    {1, false},
    {1, true},
    {2, false},
    {3, false},
    {3, true},
    {4, false},
    {4, true},
    {5, false},
    {5, true},
    {6, false},
}};

// The lengths a piece may be written as: the note's own kind of length.
const std::vector<NoteLength> &family(bool triplet)
{
    static const std::vector<NoteLength> plain{
        NoteLength::Whole,     NoteLength::DottedHalf,   NoteLength::Half,   NoteLength::DottedQuarter,
        NoteLength::Quarter,   NoteLength::DottedEighth, NoteLength::Eighth, NoteLength::DottedSixteenth,
        NoteLength::Sixteenth, NoteLength::ThirtySecond,
    };
    static const std::vector<NoteLength> triplets{NoteLength::QuarterTriplet, NoteLength::EighthTriplet,
                                                  NoteLength::SixteenthTriplet};
    return triplet ? triplets : plain;
}

// Parts adding up to the units, longest first, from the note's own family;
// nothing when no parts do.
std::optional<std::vector<NoteLength>> partsOf(int units, bool triplet)
{
    std::vector<NoteLength> parts;
    for (NoteLength length : family(triplet)) {
        while (units >= writtenUnits(length)) {
            parts.push_back(length);
            units -= writtenUnits(length);
        }
    }
    if (units != 0)
        return std::nullopt;
    return parts;
}

} // namespace

int writtenUnits(NoteLength length)
{
    switch (length) {
    case NoteLength::Whole:
        return 96;
    case NoteLength::Half:
        return 48;
    case NoteLength::Quarter:
        return 24;
    case NoteLength::Eighth:
        return 12;
    case NoteLength::Sixteenth:
        return 6;
    case NoteLength::ThirtySecond:
        return 3;
    case NoteLength::DottedHalf:
        return 72;
    case NoteLength::DottedQuarter:
        return 36;
    case NoteLength::DottedEighth:
        return 18;
    case NoteLength::DottedSixteenth:
        return 9;
    case NoteLength::QuarterTriplet:
        return 16;
    case NoteLength::EighthTriplet:
        return 8;
    case NoteLength::SixteenthTriplet:
        return 4;
    }
    return 24;
}

bool isTriplet(NoteLength length)
{
    return length == NoteLength::QuarterTriplet || length == NoteLength::EighthTriplet
        || length == NoteLength::SixteenthTriplet;
}

WrittenPitch writtenPitch(int pitch, Octave octave)
{
    WrittenPitch written;
    written.letter = Letters[std::size_t(pitch)].first;
    written.sharp = Letters[std::size_t(pitch)].second;
    written.octave = int(octave) + 3;
    switch (octave) {
    case Octave::Lowest:
        written.shift = -1;
        break;
    case Octave::Low:
    case Octave::Middle:
        written.shift = 0;
        break;
    case Octave::High:
        written.shift = 1;
        break;
    case Octave::Highest:
        written.shift = 2;
        break;
    }
    return written;
}

std::optional<std::vector<NoteLength>> splitAtBars(NoteLength length, int start, int barUnits)
{
    std::vector<NoteLength> parts;
    int left = writtenUnits(length);
    int at = start;
    while (left > 0) {
        const int room = barUnits > 0 ? barUnits - at % barUnits : left;
        const int take = std::min(left, room);
        if (take == writtenUnits(length)) {
            parts.push_back(length);
        } else if (const std::optional<std::vector<NoteLength>> fitted = partsOf(take, isTriplet(length))) {
            parts.insert(parts.end(), fitted->begin(), fitted->end());
        } else {
            return std::nullopt;
        }
        at += take;
        left -= take;
    }
    return parts;
}

namespace {

// The accidentals a reader needs, by the rule in WrittenMelody.h.
void showAccidentals(WrittenMelody &written)
{
    std::vector<WrittenPiece> &pieces = written.pieces;
    if (written.meter == 0) {
        for (WrittenPiece &piece : pieces)
            piece.accidental = piece.pitch.sharp && !piece.rest ? ShownAccidental::Sharp : ShownAccidental::None;
        return;
    }
    // What each staff position, and each pitch (letter and octave as it
    // sounds), carries in this bar. Under an octave line one position stands
    // for another octave; a note needs its accidental where either would
    // mislead a reader.
    enum class Carried : quint8 { Nothing, Sharp, SharpTiedOver };
    std::array<Carried, 64> atPosition{};
    std::array<Carried, 7 * 10> ofPitch{};
    const auto position
        = [](const WrittenPitch &pitch) { return std::size_t(std::clamp(pitch.staffStep() + 20, 0, 63)); };
    const auto key
        = [](const WrittenPitch &pitch) { return std::size_t(std::clamp(pitch.octave * 7 + pitch.letter, 0, 69)); };
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        WrittenPiece &piece = pieces[k];
        const bool tiedOn = k > 0 && pieces[k - 1].tiedToNext;
        const bool barBefore = k > 0 && pieces[k - 1].barAfter;
        if (barBefore) {
            atPosition.fill(Carried::Nothing);
            ofPitch.fill(Carried::Nothing);
            if (tiedOn && piece.pitch.sharp)
                atPosition[position(piece.pitch)] = ofPitch[key(piece.pitch)] = Carried::SharpTiedOver;
        }
        if (piece.rest || tiedOn)
            continue;
        Carried &here = atPosition[position(piece.pitch)];
        Carried &same = ofPitch[key(piece.pitch)];
        if (piece.pitch.sharp) {
            if (here != Carried::Sharp || same != Carried::Sharp)
                piece.accidental = ShownAccidental::Sharp;
            here = same = Carried::Sharp;
        } else {
            if (here != Carried::Nothing || same != Carried::Nothing)
                piece.accidental = ShownAccidental::Natural;
            here = same = Carried::Nothing;
        }
    }
}

// The beam groups, by the rule in WrittenMelody.h.
void groupBeams(WrittenMelody &written)
{
    const std::vector<WrittenPiece> &pieces = written.pieces;
    const int bar = written.meter * 24;
    const auto beamable = [](const WrittenPiece &piece) { return !piece.rest && beamCount(piece.shown) > 0; };
    const auto beatOf = [](int units) { return units / 24; };
    // First within each beat.
    std::vector<BeamGroup> groups;
    for (std::size_t i = 0; i < pieces.size();) {
        if (!beamable(pieces[i])) {
            ++i;
            continue;
        }
        const int beat = beatOf(pieces[i].start);
        std::size_t end = i + 1;
        while (end < pieces.size() && beamable(pieces[end]) && !pieces[end - 1].barAfter
               && beatOf(pieces[end].start) == beat && beatOf(pieces[end].start + pieces[end].units - 1) == beat)
            ++end;
        if (beatOf(pieces[i].start + pieces[i].units - 1) != beat)
            end = i + 1; // a note across the beat stands alone
        groups.push_back({int(i), int(end) - 1});
        i = end;
    }
    // Plain eighths filling whole beats go on over the half bar (2/4, 4/4)
    // or the bar (3/4).
    const auto plainEighths = [&](const BeamGroup &group) {
        if (group.last - group.first != 1 || pieces[std::size_t(group.first)].start % 24 != 0)
            return false;
        for (int k = group.first; k <= group.last; ++k) {
            if (pieces[std::size_t(k)].shown != NoteLength::Eighth)
                return false;
        }
        return true;
    };
    const int span = written.meter == 3 ? 72 : written.meter == 2 || written.meter == 4 ? 48 : 0;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        BeamGroup merged = groups[g];
        std::size_t next = g + 1;
        while (span > 0 && plainEighths(groups[next - 1]) && next < groups.size() && plainEighths(groups[next])
               && groups[next].first == merged.last + 1) {
            const int start = pieces[std::size_t(merged.first)].start % bar;
            const int end = pieces[std::size_t(groups[next].last)].start % bar + 12;
            if (start % span != 0) // never from the middle of a bar (a false 6/8 in 3/4)
                break;
            if (end > start - start % span + span)
                break;
            merged.last = groups[next].last;
            ++next;
        }
        if (merged.last > merged.first)
            written.beams.push_back(merged);
        g = next - 1;
    }
}

} // namespace

int beamCount(NoteLength length)
{
    switch (length) {
    case NoteLength::Eighth:
    case NoteLength::DottedEighth:
    case NoteLength::EighthTriplet:
        return 1;
    case NoteLength::Sixteenth:
    case NoteLength::DottedSixteenth:
    case NoteLength::SixteenthTriplet:
        return 2;
    case NoteLength::ThirtySecond:
        return 3;
    default:
        return 0;
    }
}

WrittenMelody writeMelody(const Melody &melody)
{
    WrittenMelody written;
    written.tempo = melody.tempo;
    written.meter = melody.meter == 2 || melody.meter == 3 || melody.meter == 4 ? melody.meter : 0;
    const int bar = written.meter * 24;
    int now = 0;
    // Where the bar began: after a bar the meter cannot hold (a lone
    // triplet puts what follows off the beat grid), the next bar begins
    // where that one ends, and bars of the meter go on from there.
    int barStart = 0;
    std::size_t barFirst = 0; // its first piece
    const std::vector<NoteRecord> &notes = melody.notes;
    written.pieces.reserve(notes.size());
    for (std::size_t i = 0; i < notes.size(); ++i) {
        const NoteRecord &note = notes[i];
        WrittenPiece piece;
        piece.note = int(i);
        piece.rest = note.isRest();
        if (!piece.rest)
            piece.pitch = writtenPitch(note.pitch, note.octave);
        // Slurred or tied into the next note: a tie to the same pitch, a slur to another.
        const bool joined = !piece.rest && note.articulation == Articulation::SlurOrTie && i + 1 < notes.size()
            && !notes[i + 1].isRest();
        const bool samePitch = joined && notes[i + 1].pitch == note.pitch && notes[i + 1].octave == note.octave;
        // Cut where bar lines fall inside the note, each part written in the
        // note's own kind of length and tied to the next. Most notes fit in
        // their bar: written whole, with nothing to cut.
        std::vector<std::pair<NoteLength, bool>> parts; // length, misfit
        if (bar == 0 || (now - barStart) % bar + writtenUnits(note.length) <= bar) {
            parts.clear();
        } else if (const std::optional<std::vector<NoteLength>> split = splitAtBars(note.length, now - barStart, bar)) {
            for (NoteLength length : *split)
                parts.push_back({length, false});
        } else {
            parts.assign(1, {note.length, true}); // written whole across the bar line, and said
        }
        const std::size_t partCount = std::max<std::size_t>(parts.size(), 1);
        for (std::size_t p = 0; p < partCount; ++p) {
            const auto [shown, misfit] = parts.empty() ? std::pair{note.length, false} : parts[p];
            WrittenPiece part = piece;
            part.shown = shown;
            part.misfit = misfit;
            part.units = misfit ? writtenUnits(note.length) : writtenUnits(part.shown);
            part.start = now;
            now += part.units;
            const bool last = p + 1 == partCount;
            part.tiedToNext = !part.rest && (!last || samePitch);
            part.slurredToNext = last && joined && !samePitch;
            part.staccato = last && !part.rest && note.articulation == Articulation::Staccato;
            part.tenuto = last && !part.rest && note.articulation == Articulation::SlurOrTie && !joined;
            part.barAfter = bar > 0 && (now - barStart) % bar == 0;
            if (bar > 0 && part.misfit) {
                // The bar ends with the length it cannot hold, said on the staff there.
                part.barAfter = true;
                for (std::size_t k = barFirst; k < written.pieces.size(); ++k)
                    written.pieces[k].irregularBar = true;
                part.irregularBar = true;
                barStart = now;
            }
            written.pieces.push_back(part);
            if (part.barAfter)
                barFirst = written.pieces.size();
        }
    }
    // Triplets of one length in a row, three to a group.
    for (std::size_t i = 0; i < written.pieces.size();) {
        const NoteLength length = written.pieces[i].shown;
        if (!isTriplet(length)) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < written.pieces.size() && end - i < 3 && written.pieces[end].shown == length)
            ++end;
        const int group = int(written.tuplets.size());
        written.tuplets.push_back({int(i), int(end) - 1});
        for (std::size_t k = i; k < end; ++k)
            written.pieces[k].tuplet = group;
        i = end;
    }
    // Slurs over the runs joined one into the next that hold a slur.
    for (std::size_t i = 0; i < written.pieces.size();) {
        std::size_t last = i;
        bool slurred = false;
        while (last + 1 < written.pieces.size()
               && (written.pieces[last].tiedToNext || written.pieces[last].slurredToNext)) {
            slurred = slurred || written.pieces[last].slurredToNext;
            ++last;
        }
        if (slurred)
            written.slurs.push_back({int(i), int(last)});
        i = last + 1;
    }
    showAccidentals(written);
    groupBeams(written);
    return written;
}
