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
    const WrittenPiece &piece = m_melody->pieces[std::size_t(k)];
    if (!piece.tiedToNext || std::size_t(k + 1) >= m_melody->pieces.size())
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
    if (k == 0 || !m_melody->pieces[std::size_t(k - 1)].tiedToNext)
        return;
    const Placed &from = m_placed[std::size_t(k - 1)];
    const Placed &to = m_placed[std::size_t(k)];
    if (from.system == to.system)
        return;
    const bool below = from.stemUp;
    const float y = to.y + (below ? 0.7f : -0.7f);
    curve(LeftMargin + ClefWidth - 0.5f, y, to.x - 0.1f, y, below ? 0.5f : -0.5f,
          m_melody->pieces[std::size_t(k - 1)].note);
}

namespace {

// A curve as it is drawn: a cubic whose control points stand at a fifth and
// four fifths of the way, 4/3 of its bend off the line between its ends; at
// parameter t it is 4t(1 − t) of the bend off that line.
float curveFraction(float t)
{
    const float u = 1 - t;
    return 3 * t * u * u * 0.2f + 3 * t * t * u * 0.8f + t * t * t;
}

// The parameter where the curve from startX to endX stands over x: the
// fraction along grows with t at a slope between 0.6 and 1.5, so a few
// Newton steps find it.
float curveParameterAt(float startX, float endX, float x)
{
    const float wanted = endX > startX ? (x - startX) / (endX - startX) : 0.5f;
    float t = wanted;
    for (int step = 0; step < 4; ++step) {
        const float u = 1 - t;
        const float slope = 0.6f * u * u + 3.6f * t * u + 0.6f * t * t;
        t = std::clamp(t - (curveFraction(t) - wanted) / slope, 0.0f, 1.0f);
    }
    return t;
}

constexpr float SlurInk = 0.25f; // its thickness in the middle and a hair

} // namespace

// One slur over each run of slurred notes, above them, cut where a line
// ends: its ends just above the first and last notes, bent so that at every
// note and mark under it the curve stands clear; where that would bend it
// more than engravers do, its ends go up.
void StaffBuilder::emitSlurs(int system)
{
    const SystemRange &range = m_systems[std::size_t(system)];
    const std::vector<SlurSpan> &slurs = m_melody->slurs;
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
        float startY = (opens ? m_ceiling[std::size_t(first)] : high) - 0.6f;
        float endY = (closes ? m_ceiling[std::size_t(last)] : high) - 0.6f;
        // The bend that clears each piece under it, at both edges of its ink.
        const auto clearingBend = [&] {
            float bend = std::min(high - 0.7f - (startY + endY) / 2, -0.6f);
            for (int k = first; k <= last; ++k) {
                const float x = m_placed[std::size_t(k)].x;
                for (float edge : {x - accidentalRoom(m_melody->pieces[std::size_t(k)]), x + 1.3f}) {
                    const float t = curveParameterAt(startX, endX, std::clamp(edge, startX, endX));
                    if (t < 0.03f || t > 0.97f)
                        continue;
                    const float chord = startY + (endY - startY) * t;
                    bend = std::min(bend, (m_ceiling[std::size_t(k)] - SlurInk - chord) / (4 * t * (1 - t)));
                }
            }
            return bend;
        };
        float bend = clearingBend();
        const float deepest = -std::max(1.5f, 0.12f * (endX - startX));
        // Never so high that an octave line's mark could not stand above it.
        const float highest = range.staffTop - RoomAbove + 3.0f;
        for (int lift = 0; lift < 16 && bend < deepest && std::min(startY, endY) - 0.4f > highest; ++lift) {
            startY -= 0.4f;
            endY -= 0.4f;
            bend = clearingBend();
        }
        bend = std::max(bend, highest - (startY + endY) / 2);
        curve(startX, startY, endX, endY, bend, m_melody->pieces[std::size_t(first)].note);
        for (int k = first; k <= last; ++k) {
            const float t = curveParameterAt(startX, endX, std::clamp(m_placed[std::size_t(k)].x + 0.6f, startX, endX));
            const float y = startY + (endY - startY) * t + 4 * t * (1 - t) * bend;
            m_ceiling[std::size_t(k)]
                = std::min(m_ceiling[std::size_t(k)], std::min(y, std::min(startY, endY)) - 0.3f - SlurInk);
        }
    }
}

} // namespace StaffEngraving
