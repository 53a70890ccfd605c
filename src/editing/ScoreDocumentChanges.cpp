// The changes of many notes at once: the whole melody moved or retimed, and
// one thing of the chosen notes, each one step of the history.
#include <algorithm>

#include <QCoreApplication>

#include "editing/ScoreDocument.h"

namespace {

constexpr int OctaveSpan = PitchCount;

} // namespace

EditResult ScoreDocument::transpose(int semitones)
{
    return shiftNotes(0, state().noteTotal(), semitones, QCoreApplication::translate("ScoreDocumentChanges", "移調"));
}

EditResult ScoreDocument::shiftNotes(int first, int count, int semitones, const QString &name)
{
    const std::span<const NoteRecord> notes = m_editor.state().notes();
    int outside = 0;
    int firstOutside = 0;
    for (int i = first; i < first + count; ++i) {
        const NoteRecord &note = notes[std::size_t(i)];
        if (note.isRest())
            continue;
        const int place = int(note.octave) * OctaveSpan + note.pitch + semitones;
        if (place < 0 || place >= 5 * OctaveSpan) {
            if (outside++ == 0)
                firstOutside = i;
        }
    }
    if (outside > 0)
        return EditResult::refused(EditResult::Status::LeavesRange, outside, firstOutside);
    changeNotes(first, count, name, [semitones](NoteRecord &note) {
        if (note.isRest())
            return;
        const int place = int(note.octave) * OctaveSpan + note.pitch + semitones;
        note.octave = Octave(place / OctaveSpan);
        note.pitch = place % OctaveSpan;
    });
    return {};
}

void ScoreDocument::changeNotes(int first, int count, const QString &name,
                                const std::function<void(NoteRecord &)> &change)
{
    const int total = state().noteTotal();
    first = std::clamp(first, 0, total);
    count = std::clamp(count, 0, total - first);
    const std::span<const NoteRecord> range = notes().subspan(std::size_t(first), std::size_t(count));
    const std::vector<NoteRecord> before(range.begin(), range.end());
    std::vector<NoteRecord> after = before;
    for (NoteRecord &note : after)
        change(note);
    if (after == before)
        return;
    m_undo.push(new ReplaceNotesCommand(*this, first, std::move(after), name));
}

void ScoreDocument::changePitch(int first, int count, int pitch)
{
    changeNotes(first, count, QCoreApplication::translate("ScoreDocumentChanges", "音の高さの変更"),
                [pitch](NoteRecord &note) { note.pitch = pitch; });
}

EditResult ScoreDocument::shiftPitch(int first, int count, int semitones)
{
    return shiftNotes(first, count, semitones,
                      semitones > 0 ? QCoreApplication::translate("ScoreDocumentChanges", "半音上げる")
                                    : QCoreApplication::translate("ScoreDocumentChanges", "半音下げる"));
}

EditResult ScoreDocument::shiftOctave(int first, int count, int octaves)
{
    return shiftNotes(first, count, octaves * OctaveSpan,
                      octaves > 0 ? QCoreApplication::translate("ScoreDocumentChanges", "オクターブ上げる")
                                  : QCoreApplication::translate("ScoreDocumentChanges", "オクターブ下げる"));
}

void ScoreDocument::changeLength(int first, int count, NoteLength length)
{
    const int tempo = this->tempo();
    changeNotes(first, count, QCoreApplication::translate("ScoreDocumentChanges", "長さの変更"),
                [length, tempo](NoteRecord &note) {
                    note.length = length;
                    note.ticks = lengthTicks(length, tempo);
                });
}

void ScoreDocument::changeArticulation(int first, int count, Articulation articulation)
{
    changeNotes(first, count, QCoreApplication::translate("ScoreDocumentChanges", "音間の変更"),
                [articulation](NoteRecord &note) {
                    if (!note.isRest())
                        note.articulation = articulation;
                });
}

void ScoreDocument::makeRest(int first, int count)
{
    changeNotes(first, count, QCoreApplication::translate("ScoreDocumentChanges", "休符にする"),
                [](NoteRecord &note) { note.pitch = NoteRecord::Rest; });
}

void ScoreDocument::changeMeter(int meter)
{
    const int old = m_meter;
    if (meter == old || !(meter == 0 || meter == 2 || meter == 3 || meter == 4))
        return;
    m_undo.push(new MeterCommand(*this, meter));
}

void ScoreDocument::changeTempo(int tempo)
{
    const int old = m_editor.tempo();
    if (tempo == old)
        return;
    m_undo.push(new TempoCommand(*this, tempo));
}
