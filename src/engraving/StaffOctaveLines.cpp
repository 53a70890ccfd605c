// Octave lines over the notes written an octave or two from where they sound.

#include <algorithm>

#include "engraving/StaffBuilder.h"

namespace StaffEngraving {

using namespace Smufl;

char16_t StaffBuilder::fullMark(int shift)
{
    return shift == 2 ? QuindicesimaAlta : shift == 1 ? OttavaAlta : OttavaBassaVb;
}

// A piece that opens an octave line, or is the only note under one,
// leaves room for the line's short mark ("8", "15") before the next mark.
void StaffBuilder::findMarkRoom(std::size_t from)
{
    const std::vector<WrittenPiece> &pieces = m_melody->pieces;
    m_markRoom.resize(pieces.size());
    std::fill(m_markRoom.begin() + std::ptrdiff_t(from), m_markRoom.end(), 0.0f);
    int previous = 0; // the shift of the last note before
    for (std::size_t before = from; before > 0; --before) {
        if (!pieces[before - 1].rest) {
            previous = pieces[before - 1].pitch.shift;
            break;
        }
    }
    for (std::size_t k = from; k < pieces.size(); ++k) {
        if (pieces[k].rest)
            continue;
        const int shift = pieces[k].pitch.shift;
        int next = shift;
        for (std::size_t after = k + 1; after < pieces.size(); ++after) {
            if (!pieces[after].rest) {
                next = pieces[after].pitch.shift;
                break;
            }
        }
        if (shift != 0 && (shift != previous || (next != shift && next != 0)))
            m_markRoom[k] = Smufl::box(fullMark(shift)).right + 1.3f; // and room for its hook
        previous = shift;
    }
}

void StaffBuilder::emitOctaveLines(int system)
{
    const SystemRange &range = m_systems[std::size_t(system)];
    const float staffTop = range.staffTop;
    // Octave lines over runs of notes of one shift; rests between them
    // belong to the run; each above the slurs and brackets under it.
    struct Run {
        int first, last, shift;
        float start;
    };
    std::vector<Run> runs;
    for (int k = range.first; k < range.end;) {
        const WrittenPiece &piece = m_melody->pieces[std::size_t(k)];
        if (piece.rest || piece.pitch.shift == 0) {
            ++k;
            continue;
        }
        const int shift = piece.pitch.shift;
        int last = k;
        for (int next = k + 1; next < range.end; ++next) {
            const WrittenPiece &other = m_melody->pieces[std::size_t(next)];
            if (other.rest)
                continue;
            if (other.pitch.shift != shift)
                break;
            last = next;
        }
        runs.push_back({k, last, shift, m_placed[std::size_t(k)].x - accidentalRoom(piece)});
        k = last + 1;
    }
    for (std::size_t r = 0; r < runs.size(); ++r) {
        const Run &run = runs[r];
        float room = range.right;
        for (std::size_t next = r + 1; next < runs.size(); ++next) {
            if ((runs[next].shift > 0) == (run.shift > 0)) {
                room = runs[next].start - 0.3f;
                break;
            }
        }
        // Always the mark in full: "8" alone reads as a fingering.
        const char16_t mark = fullMark(run.shift);
        float y = run.shift > 0 ? staffTop - 3.0f : staffTop + 9.2f;
        // Clear of what stands by it: its notes, and any the mark reaches over.
        const float reach
            = std::max(m_placed[std::size_t(run.last)].x + 1.3f, run.start + Smufl::box(mark).right + 1.0f);
        for (int k = range.first; k < range.end; ++k) {
            const float x = m_placed[std::size_t(k)].x;
            if (!((k >= run.first && k <= run.last) || (x + 1.3f > run.start && x < reach)))
                continue;
            if (run.shift > 0)
                y = std::min(y, m_ceiling[std::size_t(k)] - 0.4f);
            else
                y = std::max(y, floorOf(std::size_t(k)) + 0.4f + Smufl::box(mark).top);
        }
        if (run.shift > 0)
            y = std::max(y, staffTop - RoomAbove + 2.2f);
        const int note = m_melody->pieces[std::size_t(run.first)].note;
        glyph(mark, run.start, y, note);
        for (int k = run.first; k <= run.last; ++k)
            m_ceiling[std::size_t(k)] = std::min(m_ceiling[std::size_t(k)], y - 2.0f);
        const float from = run.start + Smufl::box(mark).right + 0.4f;
        const float to = std::min(m_placed[std::size_t(run.last)].x + 1.3f, room);
        const float lineY = y - 0.9f;
        // The line goes on over every note the mark does not reach, and
        // its hook shows where it ends, even where the mark covers them all.
        const float end = std::max(to, from + 0.5f);
        for (float dash = from; dash + 0.25f < end; dash += 1.0f)
            line(dash, lineY, std::min(dash + 0.5f, end), lineY, OctaveLineThickness, note);
        line(end, lineY, end, run.shift > 0 ? lineY + 0.8f : lineY - 0.8f, OctaveLineThickness, note);
    }
}

} // namespace StaffEngraving
