// Where every line and note of the staff stands, worked out before any line
// is drawn: at once, or after an edit again only from the change on.

#include <algorithm>

#include "engraving/StaffBuilder.h"

namespace StaffEngraving {

namespace {

// Staff spaces: about fifteen lines.
constexpr float LinesPlacedPastAChange = 200.0f;

} // namespace

void StaffBuilder::prepare()
{
    forget();
    findMarkRoom(0);
    placeFrom(0, 0, m_title.isEmpty() ? 0.0f : TitleRoom);
}

void StaffBuilder::forget()
{
    m_layout = StaffLayout{};
    m_systems.clear();
    m_placed.clear();
    m_ceiling.clear();
    m_ceilingPlaced.clear();
    m_beamLines.clear();
    m_drawn.clear();
}

void StaffBuilder::prepareAgain(const WrittenMelody &melody, int kept)
{
    const WrittenMelody &old = *m_melody;
    m_melody = &melody;
    // The lines before the one before the first changed piece stay: each
    // line's breaking looks at its own pieces and the first segment after.
    // A change below the lines placed so far is taken at the last of them.
    const int changedLine = kept <= 0 || m_systems.empty() ? 0
        : std::size_t(kept) <= m_nextPiece                 ? m_placed[std::size_t(kept - 1)].system
                                                           : int(m_systems.size()) - 1;
    const int line = std::max(0, changedLine - 1);
    if (line == 0 || old.meter != melody.meter || melody.pieces.empty()) {
        prepare();
        return;
    }
    const std::size_t from = std::size_t(m_systems[std::size_t(line)].first);
    // An octave mark's room looks at the notes before and after: it may
    // change from the last note before the first changed piece on, and the
    // room of every piece that stays must be what it was.
    std::size_t roomFrom = std::size_t(kept);
    while (roomFrom > 0 && melody.pieces[roomFrom - 1].rest)
        --roomFrom;
    roomFrom = roomFrom > 0 ? roomFrom - 1 : 0;
    const std::vector<float> roomBefore(m_markRoom.begin() + std::ptrdiff_t(std::min(roomFrom, from)),
                                        m_markRoom.begin() + std::ptrdiff_t(from));
    findMarkRoom(std::min(roomFrom, from));
    if (!std::equal(roomBefore.begin(), roomBefore.end(),
                    m_markRoom.begin() + std::ptrdiff_t(std::min(roomFrom, from)))) {
        prepare();
        return;
    }
    const float top = m_systems[std::size_t(line)].top;
    m_systems.resize(std::size_t(line));
    m_layout.systems.resize(std::size_t(line));
    m_drawn.resize(std::size_t(line));
    m_placed.resize(from);
    m_ceilingPlaced.resize(from);
    m_ceiling.resize(from);
    std::erase_if(m_beamLines, [line](const BeamLine &beam) { return beam.system >= line; });
    dropUnusedPrimitives();
    // The notes from the first on the restarted line (and a note cut by its
    // start) are placed again.
    std::size_t firstPiece = from;
    while (firstPiece > 0 && melody.pieces[firstPiece - 1].note == melody.pieces[from].note)
        --firstPiece;
    const std::size_t firstNote = std::size_t(melody.pieces[firstPiece].note);
    m_layout.notes.resize(std::size_t(melody.pieces.back().note + 1));
    std::fill(m_layout.notes.begin() + std::ptrdiff_t(std::min(firstNote, m_layout.notes.size())), m_layout.notes.end(),
              NotePlace{});
    placeFrom(from, firstPiece, top);
}

void StaffBuilder::dropUnusedPrimitives()
{
    std::size_t used = 0;
    for (const StaffSystem &system : m_layout.systems)
        used += std::size_t(system.endPrimitive - system.firstPrimitive);
    if (m_layout.primitives.size() < 4096 || m_layout.primitives.size() < 2 * used)
        return;
    m_layout.primitives.clear();
    m_layout.texts.clear();
    for (StaffSystem &system : m_layout.systems)
        system.firstPrimitive = system.endPrimitive = 0;
    std::fill(m_drawn.begin(), m_drawn.end(), false);
    m_ceiling = m_ceilingPlaced; // drawing raised them; it will again
}

void StaffBuilder::placeFrom(std::size_t from, std::size_t notesFrom, float top)
{
    const std::vector<WrittenPiece> &pieces = m_melody->pieces;
    m_layout.width = m_width;
    if (m_layout.notes.empty())
        m_layout.notes.assign(pieces.empty() ? 0 : std::size_t(pieces.back().note + 1), {});
    // The last piece of each beam group, from the piece on (a group that
    // reaches it from before counts too).
    m_beamLast.resize(pieces.size());
    std::fill(m_beamLast.begin() + std::ptrdiff_t(from), m_beamLast.end(), -1);
    auto group = std::lower_bound(m_melody->beams.begin(), m_melody->beams.end(), from,
                                  [](const BeamGroup &beam, std::size_t k) { return std::size_t(beam.last) < k; });
    for (; group != m_melody->beams.end(); ++group)
        std::fill(m_beamLast.begin() + std::max<std::ptrdiff_t>(group->first, std::ptrdiff_t(from)),
                  m_beamLast.begin() + group->last + 1, group->last);
    m_placed.resize(pieces.size());
    m_ceilingPlaced.resize(pieces.size());
    m_ceiling.resize(pieces.size());
    m_nextPiece = from;
    m_nextTop = top;
    m_notesFrom = notesFrom;
    m_layout.height = m_layout.systems.empty() ? 0 : m_layout.systems.back().bottom;
    // Down to the limit, and some lines past where the change starts: an
    // edit near the end is placed to the end at once.
    placeLines(std::max(m_placingLimit, top + LinesPlacedPastAChange));
}

void StaffBuilder::placeDownTo(float downTo)
{
    if (!placedAll() && m_nextTop <= downTo)
        placeLines(downTo);
}

void StaffBuilder::placeThroughNote(int note)
{
    const std::vector<WrittenPiece> &pieces = m_melody->pieces;
    // The note's line, and the next, whose start a tie or slur may reach.
    while (!placedAll() && (note < 0 || pieces[m_nextPiece].note <= note || m_systems.empty()))
        placeLines(m_nextTop);
    if (!placedAll())
        placeLines(m_nextTop);
}

void StaffBuilder::placeLines(float downTo)
{
    if (placedAll() && !(m_melody->pieces.empty() && m_systems.empty()))
        return;
    const std::size_t from = m_nextPiece;
    const std::size_t keptSystems = m_systems.size();
    m_nextPiece = place(from, m_nextTop, downTo);
    const std::size_t end = m_nextPiece;
    placeBeams(from, end);
    // What stands above each note, once its stem and any beam are placed
    // (beams turn stems, and with them the ties that curve away); kept as
    // placed, before drawing raises it, for a layout made after an edit.
    for (std::size_t k = from; k < end; ++k)
        m_ceilingPlaced[k] = ceilingOf(k, m_systems[std::size_t(m_placed[k].system)].staffTop);
    std::copy(m_ceilingPlaced.begin() + std::ptrdiff_t(from), m_ceilingPlaced.begin() + std::ptrdiff_t(end),
              m_ceiling.begin() + std::ptrdiff_t(from));
    // Where each line and note stands, before any is drawn.
    for (std::size_t index = keptSystems; index < m_systems.size(); ++index) {
        const SystemRange &range = m_systems[index];
        StaffSystem system;
        system.top = index == 0 ? 0.0f : range.top; // the first holds the title and tempo
        system.staffTop = range.staffTop;
        system.bottom = range.staffTop + 4.0f + RoomBelow;
        if (range.first < range.end) {
            system.firstNote = m_melody->pieces[std::size_t(range.first)].note;
            system.lastNote = m_melody->pieces[std::size_t(range.end - 1)].note;
        }
        m_layout.systems.push_back(system);
    }
    for (std::size_t k = std::min(m_notesFrom, from); k < end; ++k) {
        const WrittenPiece &piece = m_melody->pieces[k];
        NotePlace &place = m_layout.notes[std::size_t(piece.note)];
        if (place.system < 0) {
            place.system = m_placed[k].system;
            place.left = m_placed[k].x - accidentalRoom(piece);
        }
        place.right = m_placed[k].x + 1.7f;
    }
    m_notesFrom = end;
    m_drawn.resize(m_systems.size(), false);
    m_layout.height = m_layout.systems.empty() ? 0 : m_layout.systems.back().bottom;
}

void StaffBuilder::drawSystem(int index)
{
    // A line is drawn with the next one placed: ties and slurs reach into it.
    while (!placedAll() && std::size_t(index) + 1 >= m_systems.size())
        placeLines(m_nextTop);
    if (index < 0 || std::size_t(index) >= m_drawn.size() || m_drawn[std::size_t(index)])
        return;
    // Drawn once: placing what stands above the notes raises their ceilings.
    m_drawn[std::size_t(index)] = true;
    emitSystem(index);
}

} // namespace StaffEngraving
