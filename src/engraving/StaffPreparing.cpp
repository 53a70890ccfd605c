// Where every line and note of the staff stands, worked out before any line
// is drawn: at once, or after an edit again only from the change on.

#include <algorithm>

#include "engraving/StaffBuilder.h"

namespace StaffEngraving {

void StaffBuilder::prepare()
{
    findMarkRoom();
    placeFrom(0, 0, m_title.isEmpty() ? 0.0f : TitleRoom);
}

void StaffBuilder::prepareAfter(const StaffBuilder &old, int kept)
{
    findMarkRoom();
    // The lines before the one before the first changed piece stay: each
    // line's breaking looks at its own pieces and the first segment after.
    const int changedLine
        = kept > 0 && std::size_t(kept) <= old.m_placed.size() ? old.m_placed[std::size_t(kept - 1)].system : 0;
    const int line = std::max(0, changedLine - 1);
    bool same = line > 0 && old.m_width == m_width && old.m_title == m_title && old.m_melody.meter == m_melody.meter;
    const std::size_t from = same ? std::size_t(old.m_systems[std::size_t(line)].first) : 0;
    // The room each kept piece takes must be what it took (an octave mark's
    // room looks at the next note, which may have changed).
    for (std::size_t k = 0; same && k < from; ++k)
        same = m_markRoom[k] == old.m_markRoom[k];
    if (!same) {
        placeFrom(0, 0, m_title.isEmpty() ? 0.0f : TitleRoom);
        return;
    }
    m_systems.assign(old.m_systems.begin(), old.m_systems.begin() + line);
    m_placed.assign(old.m_placed.begin(), old.m_placed.begin() + std::ptrdiff_t(from));
    m_ceilingPlaced.assign(old.m_ceilingPlaced.begin(), old.m_ceilingPlaced.begin() + std::ptrdiff_t(from));
    m_layout.systems.assign(old.m_layout.systems.begin(), old.m_layout.systems.begin() + line);
    for (StaffSystem &system : m_layout.systems)
        system.firstPrimitive = system.endPrimitive = 0; // nothing drawn yet
    // The notes from the first on the restarted line (and a note cut by its
    // start) are placed again.
    std::size_t firstPiece = from;
    while (firstPiece > 0 && m_melody.pieces[firstPiece - 1].note == m_melody.pieces[from].note)
        --firstPiece;
    const int firstNote = m_melody.pieces[firstPiece].note;
    m_layout.notes.assign(m_melody.pieces.empty() ? 0 : std::size_t(m_melody.pieces.back().note + 1), {});
    std::copy_n(old.m_layout.notes.begin(), std::min<std::size_t>(std::size_t(firstNote), old.m_layout.notes.size()),
                m_layout.notes.begin());
    placeFrom(from, firstPiece, old.m_systems[std::size_t(line)].top);
}

void StaffBuilder::placeFrom(std::size_t from, std::size_t notesFrom, float top)
{
    m_layout.width = m_width;
    if (m_layout.notes.empty())
        m_layout.notes.assign(m_melody.pieces.empty() ? 0 : std::size_t(m_melody.pieces.back().note + 1), {});
    const std::size_t keptSystems = m_systems.size();
    place(from, top);
    placeBeams();
    // What stands above each note, once its stem and any beam are placed
    // (beams turn stems, and with them the ties that curve away); kept as
    // placed, before drawing raises it, for a layout made after an edit.
    m_ceilingPlaced.resize(m_placed.size());
    for (std::size_t k = from; k < m_placed.size(); ++k)
        m_ceilingPlaced[k] = ceilingOf(k, m_systems[std::size_t(m_placed[k].system)].staffTop);
    m_ceiling = m_ceilingPlaced;
    // Where each line and note stands, before any is drawn.
    for (std::size_t index = keptSystems; index < m_systems.size(); ++index) {
        const SystemRange &range = m_systems[index];
        StaffSystem system;
        system.top = index == 0 ? 0.0f : range.top; // the first holds the title and tempo
        system.staffTop = range.staffTop;
        system.bottom = range.staffTop + 4.0f + RoomBelow;
        if (range.first < range.end) {
            system.firstNote = m_melody.pieces[std::size_t(range.first)].note;
            system.lastNote = m_melody.pieces[std::size_t(range.end - 1)].note;
        }
        m_layout.systems.push_back(system);
    }
    for (std::size_t k = notesFrom; k < m_placed.size(); ++k) {
        const WrittenPiece &piece = m_melody.pieces[k];
        NotePlace &place = m_layout.notes[std::size_t(piece.note)];
        if (place.system < 0) {
            place.system = m_placed[k].system;
            place.left = m_placed[k].x - accidentalRoom(piece);
        }
        place.right = m_placed[k].x + 1.7f;
    }
    m_drawn.assign(m_systems.size(), false);
    m_layout.height = m_layout.systems.empty() ? 0 : m_layout.systems.back().bottom;
}

void StaffBuilder::drawSystem(int index)
{
    if (index < 0 || std::size_t(index) >= m_drawn.size() || m_drawn[std::size_t(index)])
        return;
    // Drawn once: placing what stands above the notes raises their ceilings.
    m_drawn[std::size_t(index)] = true;
    emitSystem(index);
}

} // namespace StaffEngraving
