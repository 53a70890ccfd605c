// Ties between pieces of one pitch and slurs over runs of slurred notes.

#include <algorithm>

#include "engraving/StaffBuilder.h"

namespace StaffEngraving {

using namespace Smufl;

// A tie from this piece to the next of the same pitch, below the heads
// when the stem is up; cut at the end of the line where it goes on, its
// second half drawn with the next line.
void StaffBuilder::emitTie(int k)
{
    const WrittenPiece &piece = m_melody.pieces[std::size_t(k)];
    if (!piece.tiedToNext || std::size_t(k + 1) >= m_melody.pieces.size())
        return;
    const Placed &from = m_placed[std::size_t(k)];
    const Placed &to = m_placed[std::size_t(k + 1)];
    const bool below = from.stemUp;
    const float offset = below ? 0.7f : -0.7f;
    const float bend = below ? 0.5f : -0.5f;
    if (to.system == from.system)
        curve(from.x + 1.3f, from.y + offset, to.x - 0.1f, to.y + offset, bend, piece.note);
    else
        curve(from.x + 1.3f, from.y + offset, m_systems[std::size_t(from.system)].right, from.y + offset, bend,
              piece.note);
}

// The second half of a tie that crosses into this line.
void StaffBuilder::emitTieFromLineBefore(int k)
{
    if (k == 0 || !m_melody.pieces[std::size_t(k - 1)].tiedToNext)
        return;
    const Placed &from = m_placed[std::size_t(k - 1)];
    const Placed &to = m_placed[std::size_t(k)];
    if (from.system == to.system)
        return;
    const bool below = from.stemUp;
    const float y = to.y + (below ? 0.7f : -0.7f);
    curve(LeftMargin + ClefWidth - 0.5f, y, to.x - 0.1f, y, below ? 0.5f : -0.5f,
          m_melody.pieces[std::size_t(k - 1)].note);
}

// One slur over each run of slurred notes, above them, cut where a line ends.
void StaffBuilder::emitSlurs(int system)
{
    const SystemRange &range = m_systems[std::size_t(system)];
    const std::vector<SlurSpan> &slurs = m_melody.slurs;
    auto span = std::lower_bound(slurs.begin(), slurs.end(), range.first,
                                 [](const SlurSpan &slur, int piece) { return slur.last < piece; });
    for (; span != slurs.end() && span->first < range.end; ++span) {
        const int first = std::max(span->first, range.first);
        const int last = std::min(span->last, range.end - 1);
        float high = 1e9f; // the highest point of the notes and marks under it
        for (int k = first; k <= last; ++k)
            high = std::min(high, m_ceiling[std::size_t(k)]);
        const bool opens = first == span->first;
        const bool closes = last == span->last;
        const Placed &from = m_placed[std::size_t(first)];
        const Placed &to = m_placed[std::size_t(last)];
        const float startX = opens ? from.x + 0.6f : LeftMargin + ClefWidth - 0.5f;
        const float endX = closes ? to.x + 0.6f : range.right;
        const float startY = (opens ? m_ceiling[std::size_t(first)] : high) - 0.6f;
        const float endY = (closes ? m_ceiling[std::size_t(last)] : high) - 0.6f;
        // High enough to clear every note and mark under it.
        const float apex = std::min(high - 0.7f, std::min(startY, endY) - 0.5f);
        const float bend = apex - (startY + endY) / 2;
        curve(startX, startY, endX, endY, std::min(bend, -0.6f), m_melody.pieces[std::size_t(first)].note);
        for (int k = first; k <= last; ++k)
            m_ceiling[std::size_t(k)] = std::min(m_ceiling[std::size_t(k)], std::min(apex, startY + bend) - 0.3f);
    }
}

} // namespace StaffEngraving
