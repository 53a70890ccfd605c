// Beams over the groups the written melody makes, and the tuplets' brackets or numbers.

#include <algorithm>
#include <climits>

#include "engraving/StaffBuilder.h"

namespace StaffEngraving {

using namespace Smufl;

// Each beam group on one line: its stems' direction from the note
// farthest from the middle line, its slant from the outer notes (at most a
// space, none where an inner note stands out beyond both), and its place
// where the shortest stem is a full stem long and every stem reaches the
// middle line. A group broken by the end of a line keeps its flags.
void StaffBuilder::placeBeams(std::size_t from, std::size_t end)
{
    const std::vector<WrittenPiece> &pieces = m_melody->pieces;
    m_beamed.resize(pieces.size());
    std::fill(m_beamed.begin() + std::ptrdiff_t(from), m_beamed.begin() + std::ptrdiff_t(end), false);
    // The groups are in order; one that starts before the piece and reaches
    // it crosses a line (from is a line's first piece) and has no beam.
    const auto firstGroup
        = std::lower_bound(m_melody->beams.begin(), m_melody->beams.end(), from,
                           [](const BeamGroup &group, std::size_t k) { return std::size_t(group.first) < k; });
    for (auto at = firstGroup; at != m_melody->beams.end() && std::size_t(at->first) < end; ++at) {
        const BeamGroup &group = *at;
        const auto first = std::size_t(group.first);
        const auto last = std::size_t(group.last);
        if (last >= end)
            continue; // it crosses into a line not placed yet, so it has no beam
        const int system = m_placed[first].system;
        if (m_placed[last].system != system)
            continue;
        int above = INT_MIN;
        int below = INT_MIN;
        int levels = 1;
        for (std::size_t k = first; k <= last; ++k) {
            const int step = pieces[k].pitch.staffStep();
            above = std::max(above, step - 4);
            below = std::max(below, 4 - step);
            levels = std::max(levels, beamCount(pieces[k].shown));
        }
        const bool up = below > above;
        for (std::size_t k = first; k <= last; ++k)
            m_placed[k].stemUp = up;
        const float stem = levels >= 3 ? 4.25f : 3.5f;
        const float x0 = stemX(first);
        const float x1 = stemX(last);
        float rise = std::clamp(m_placed[last].y - m_placed[first].y, -1.0f, 1.0f);
        for (std::size_t k = first + 1; k < last; ++k) {
            const float y = m_placed[k].y;
            const bool outward = up ? y < std::min(m_placed[first].y, m_placed[last].y)
                                    : y > std::max(m_placed[first].y, m_placed[last].y);
            if (outward)
                rise = 0;
        }
        const float slope = x1 > x0 ? rise / (x1 - x0) : 0.0f;
        const float middle = m_systems[std::size_t(system)].staffTop + 2.0f;
        float base = up ? 1e9f : -1e9f;
        for (std::size_t k = first; k <= last; ++k) {
            const float along = slope * (stemX(k) - x0);
            base = up ? std::min({base, m_placed[k].y - stem - along, middle - along})
                      : std::max({base, m_placed[k].y + stem - along, middle - along});
        }
        for (std::size_t k = first; k <= last; ++k) {
            m_placed[k].stemEnd = base + slope * (stemX(k) - x0);
            m_beamed[k] = true;
        }
        m_beamLines.push_back({group, system, up, x0, base, slope});
    }
}

// The beams of a system: the first over the whole group, the further
// ones (a sixteenth's second, a thirty-second's third) over the notes
// that have them, a lone one as a short stub toward its neighbour.
void StaffBuilder::emitBeams(int system)
{
    const std::vector<WrittenPiece> &pieces = m_melody->pieces;
    for (const BeamLine &beam : m_beamLines) {
        if (beam.system != system)
            continue;
        const float inward = beam.up ? 1.0f : -1.0f; // toward the heads
        const auto y = [&](float x, int level) {
            return beam.base + beam.slope * (x - beam.x0)
                + inward * (BeamThickness / 2 + float(level - 1) * (BeamThickness + BeamSpacing));
        };
        const auto first = std::size_t(beam.group.first);
        const auto last = std::size_t(beam.group.last);
        const int note = pieces[first].note;
        line(beam.x0, y(beam.x0, 1), stemX(last), y(stemX(last), 1), BeamThickness, note);
        for (int level = 2; level <= 3; ++level) {
            for (std::size_t k = first; k <= last; ++k) {
                if (beamCount(pieces[k].shown) < level)
                    continue;
                const bool left = k > first && beamCount(pieces[k - 1].shown) >= level;
                const bool right = k < last && beamCount(pieces[k + 1].shown) >= level;
                if (right) {
                    line(stemX(k), y(stemX(k), level), stemX(k + 1), y(stemX(k + 1), level), BeamThickness,
                         pieces[k].note);
                } else if (!left) {
                    const float from = k > first ? stemX(k) - 1.1f : stemX(k);
                    const float to = k > first ? stemX(k) : stemX(k) + 1.1f;
                    line(from, y(from, level), to, y(to, level), BeamThickness, pieces[k].note);
                }
            }
        }
    }
}

// The beam that joins exactly these pieces on one line, if any.
const StaffBuilder::BeamLine *StaffBuilder::beamJoining(int first, int last) const
{
    const auto beam = std::lower_bound(m_beamLines.begin(), m_beamLines.end(), first,
                                       [](const BeamLine &line, int piece) { return line.group.first < piece; });
    return beam != m_beamLines.end() && beam->group.first == first && beam->group.last == last ? &*beam : nullptr;
}

// A triplet its own beam joins shows only its 3, on the beam's side, over
// the beam's middle (below the staff where the beam stands in it); any other
// has a bracket with its 3 above the notes.
void StaffBuilder::emitTuplets(int system)
{
    const SystemRange &range = m_systems[std::size_t(system)];
    const float staffTop = range.staffTop;
    const std::vector<TupletGroup> &tuplets = m_melody->tuplets;
    auto group = std::lower_bound(tuplets.begin(), tuplets.end(), range.first,
                                  [](const TupletGroup &tuplet, int piece) { return tuplet.last < piece; });
    const float digitWidth = Smufl::box(Tuplet3).right;
    const float digitHeight = Smufl::box(Tuplet3).top;
    for (; group != tuplets.end() && group->first < range.end; ++group) {
        const int first = std::max(group->first, range.first);
        const int last = std::min(group->last, range.end - 1);
        const int note = m_melody->pieces[std::size_t(first)].note;
        if (const BeamLine *beam = beamJoining(group->first, group->last); beam && beam->system == system) {
            const float middle = (beam->x0 + stemX(std::size_t(last))) / 2;
            const float edge = beam->base + beam->slope * (middle - beam->x0);
            if (beam->up) {
                float baseline = edge - 0.5f;
                for (int k = first; k <= last; ++k)
                    baseline = std::min(baseline, m_ceiling[std::size_t(k)] - 0.5f);
                glyph(Tuplet3, middle - digitWidth / 2, baseline, note);
                for (int k = first; k <= last; ++k)
                    m_ceiling[std::size_t(k)] = std::min(m_ceiling[std::size_t(k)], baseline - digitHeight - 0.3f);
            } else {
                const float baseline = std::max(edge + 0.5f + digitHeight, staffTop + 4.0f + 0.4f + digitHeight);
                glyph(Tuplet3, middle - digitWidth / 2, baseline, note);
            }
            continue;
        }
        const float left = m_placed[std::size_t(first)].x;
        const float right = m_placed[std::size_t(last)].x + 1.3f;
        const float middle = (left + right) / 2;
        // Clear of everything above the notes: stems, sharps, dots, ties.
        float top = staffTop - 1.0f;
        for (int k = first; k <= last; ++k)
            top = std::min(top, m_ceiling[std::size_t(k)] - 0.8f);
        for (int k = first; k <= last; ++k)
            m_ceiling[std::size_t(k)] = std::min(m_ceiling[std::size_t(k)], top - 1.6f);
        glyph(Tuplet3, middle - digitWidth / 2, top + 0.5f, note);
        // Too narrow for a bracket either side of its 3 (one note of a group
        // the line's end cut): the 3 alone, rather than a bracket reaching
        // over the neighbours.
        if (right - left < digitWidth + 2.0f)
            continue;
        line(left, top + 0.5f, left, top, TupletBracketThickness, note);
        line(left, top, middle - digitWidth / 2 - 0.2f, top, TupletBracketThickness, note);
        line(middle + digitWidth / 2 + 0.2f, top, right, top, TupletBracketThickness, note);
        line(right, top, right, top + 0.5f, TupletBracketThickness, note);
    }
}

} // namespace StaffEngraving
