#include "midi/MidiImport.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdint>
#include <optional>
#include <set>
#include <tuple>

#include <QCoreApplication>

#include "midi/MidiWriter.h"
#include "performance/BrickEvents.h"
#include "score/ComposerState.h"
#include "score/TempoReader.h"

namespace {

// A sound differing from a ZEPA articulation's by up to this many ticks is
// taken as that articulation; a longer silence becomes a rest.
constexpr double ArticulationTolerance = 5;
// The import stops making notes once there are more than the score holds.
constexpr std::size_t TooManyNotes = ComposerState::ScoreCapacity + 1;
constexpr int DefaultMicrosecondsPerQuarter = 500000;
constexpr int LowestKey = MidiFile::noteNumber(0, Octave::Lowest);
constexpr int HighestKey = MidiFile::noteNumber(PitchCount - 1, Octave::Highest);

// A key moved by whole octaves into ZEPA's five.
int inZepaRange(int key)
{
    while (key < LowestKey)
        key += 12;
    while (key > HighestKey)
        key -= 12;
    return key;
}

struct Segment {
    qint64 start;
    qint64 end;
    int key;
};

// The melody a listener hears in a voice: at each onset, the highest note
// struck there. Notes starting within the chord window are one chord (a strum,
// a chord played by hand), whose highest note is the melody. A note struck
// under a higher one still held is not the melody; a note of the melody is
// cut where the next starts. A note held on under the melody never becomes
// the melody when the melody note above it ends: that would be a blip of a
// note already struck.
std::vector<Segment> melodyLine(std::vector<MidiNote> notes, qint64 chordWindow, int &hidden)
{
    // A note ended where it starts has no time to be heard.
    const auto silent
        = std::remove_if(notes.begin(), notes.end(), [](const MidiNote &note) { return note.end <= note.start; });
    hidden += int(notes.end() - silent);
    notes.erase(silent, notes.end());
    std::stable_sort(notes.begin(), notes.end(), [](const MidiNote &a, const MidiNote &b) {
        return a.start != b.start ? a.start < b.start : a.key > b.key;
    });
    std::array<qint64, 128> heldUntil; // of each key, the end of its latest note
    heldUntil.fill(LLONG_MIN);
    std::vector<Segment> line;
    for (std::size_t i = 0; i < notes.size();) {
        const qint64 onset = notes[i].start;
        std::size_t end = i;
        std::size_t top = i;
        for (; end < notes.size() && notes[end].start - onset <= chordWindow; ++end) {
            if (notes[end].key > notes[top].key)
                top = end;
        }
        const MidiNote &note = notes[top];
        hidden += int(end - i) - 1;
        // Held on above: for at least half of this note, or past the window.
        const qint64 coveredUntil = onset + std::max(chordWindow, (note.end - onset) / 2);
        bool covered = false;
        for (int key = std::clamp(note.key + 1, 0, 128); key < 128 && !covered; ++key)
            covered = heldUntil[std::size_t(key)] > coveredUntil;
        for (std::size_t k = i; k < end; ++k) {
            const std::size_t key = std::size_t(std::clamp(notes[k].key, 0, 127));
            heldUntil[key] = std::max(heldUntil[key], notes[k].end);
        }
        i = end;
        if (covered) {
            ++hidden;
            continue;
        }
        if (!line.empty() && line.back().end > onset)
            line.back().end = onset;
        line.push_back({onset, note.end, note.key});
    }
    return line;
}

// The grid a file's onsets are written on, in its ticks: the coarsest of the
// usual ones (a quarter note down to a triplet 32nd) that holds every onset to
// within a tick, as a sequencer writes them; for a file played in, the
// coarsest that holds nine onsets in ten to within a sixth of a step, and a
// sixteenth where none does.
double onsetGrid(const std::vector<Segment> &line, int ticksPerQuarter, bool &exact)
{
    static constexpr double Steps[] = {1, 2, 3, 4, 6, 8, 12, 24}; // a quarter note in steps
    exact = true;
    for (double steps : Steps) {
        const double grid = ticksPerQuarter / steps;
        if (grid < 1)
            break;
        if (std::all_of(line.begin(), line.end(), [grid](const Segment &segment) {
                const double off = std::fmod(double(segment.start), grid);
                return std::min(off, grid - off) <= 1.0;
            }))
            return grid;
    }
    exact = false;
    for (double steps : Steps) {
        const double grid = ticksPerQuarter / steps;
        const auto near = std::count_if(line.begin(), line.end(), [grid](const Segment &segment) {
            const double off = std::fmod(double(segment.start), grid);
            return std::min(off, grid - off) <= grid / 6;
        });
        if (double(near) >= 0.9 * double(line.size()))
            return grid;
    }
    return ticksPerQuarter / 4.0;
}

// The line with every onset at its nearest grid point, each on its own (so
// that no error adds up), and each note sounding as long as before.
std::vector<Segment> quantized(const std::vector<Segment> &line, double grid, int &moved, int &hidden)
{
    const auto snap = [grid](qint64 tick) { return qint64(std::llround(std::round(double(tick) / grid) * grid)); };
    std::vector<Segment> snapped;
    for (Segment segment : line) {
        const qint64 start = snap(segment.start);
        if (!snapped.empty() && snapped.back().start == start) {
            // Two onsets closer than a step are one: the higher note stays.
            ++hidden;
            if (segment.key > snapped.back().key)
                snapped.back().key = segment.key;
            snapped.back().end = std::max(snapped.back().end, segment.end + (start - segment.start));
            continue;
        }
        if (start != segment.start)
            ++moved;
        // The note sounds as long as it did: its end moves with its onset.
        segment.end = std::max(segment.end + (start - segment.start), start + 1);
        segment.start = start;
        if (!snapped.empty() && snapped.back().end > start)
            snapped.back().end = start;
        snapped.push_back(segment);
    }
    return snapped;
}

// How a file times its notes, in ZEPA's ticks of 10 ms: as the brick plays
// them, each length its rounded ticks (the files ZEPA wrote before, and any
// file timed by the clock), or on the beat grid, each length its exact share
// of a quarter note and each note ending early by its articulation's gap.
enum class Timing { AsPlayed, Grid };

// The thirteen lengths at one tempo in one timing, and the nearest to a span
// of ticks. Lengths are counted in units, whole numbers for adding up rests:
// ticks when timed as played, 24ths of a quarter note on the grid.
class LengthFitter {
public:
    // fileTick: ZEPA's ticks a tick of the file lasts.
    LengthFitter(int tempo, Timing timing, double fileTick)
        : m_timing(timing)
        , m_tempo(tempo)
        , m_ticksPerUnit(timing == Timing::Grid ? 6000.0 / tempo / 24 : 1.0)
        // A file ZEPA wrote is off by half a tick at most: of the brick, or of
        // the file on the grid.
        , m_exactFit(timing == Timing::Grid ? fileTick / 2 + 1e-9 : 0.5)
    {
        for (const NoteLengthEntry &entry : noteLengthTable()) {
            m_units[std::size_t(entry.length)] = timing == Timing::Grid
                ? MidiFile::gridTicks(entry.length) / (MidiFile::TicksPerQuarter / 24)
                : lengthTicks(entry.length, tempo);
        }
        m_shortestUnits = *std::min_element(m_units.begin(), m_units.end());
        // The fewest lengths making each sum up to three whole notes exactly,
        // and the last of them.
        const int limit = 3 * units(NoteLength::Whole) + m_shortestUnits;
        m_pieces.assign(std::size_t(limit) + 1, INT_MAX);
        m_last.assign(std::size_t(limit) + 1, NoteLength::Whole);
        m_pieces[0] = 0;
        for (int sum = 1; sum <= limit; ++sum) {
            for (const NoteLengthEntry &entry : noteLengthTable()) {
                const int before = sum - units(entry.length);
                if (before >= 0 && m_pieces[std::size_t(before)] != INT_MAX
                    && m_pieces[std::size_t(before)] + 1 < m_pieces[std::size_t(sum)]) {
                    m_pieces[std::size_t(sum)] = m_pieces[std::size_t(before)] + 1;
                    m_last[std::size_t(sum)] = entry.length;
                }
            }
        }
    }

    double ticks(NoteLength length) const { return units(length) * m_ticksPerUnit; }
    double exactFit() const { return m_exactFit; }
    double shortest() const { return m_shortestUnits * m_ticksPerUnit; }
    double longest() const { return ticks(NoteLength::Whole); }

    // How long the note sounds in this timing: on the grid, its exact length
    // less its gap, and where less than a tick would be left the brick's
    // shortest sound, as the MIDI writer makes it.
    double sound(const NoteRecord &note) const
    {
        if (m_timing == Timing::AsPlayed)
            return soundTicks(note);
        double sound = ticks(note.length) - gapTicks(note.articulation);
        if (sound < 1)
            sound = note.articulation == Articulation::Normal ? 2 : 1;
        return std::min(sound, ticks(note.length));
    }

    NoteLength nearest(double target) const
    {
        NoteLength best = NoteLength::Whole;
        for (const NoteLengthEntry &entry : noteLengthTable()) {
            if (std::abs(ticks(entry.length) - target) < std::abs(ticks(best) - target))
                best = entry.length;
        }
        return best;
    }

    // Rests adding up as nearly as possible to the target, fewest first.
    std::vector<NoteLength> rests(double target) const
    {
        std::vector<NoteLength> lengths;
        if (target > 2.0 * longest()) {
            // More than the score holds is as good as too many: a silence of
            // days must not take days.
            const double wholes = std::floor(target / longest()) - 1;
            if (wholes >= double(TooManyNotes))
                return std::vector<NoteLength>(TooManyNotes, NoteLength::Whole);
            lengths.assign(std::size_t(wholes), NoteLength::Whole);
            target -= wholes * longest();
        }
        const double targetUnits = target / m_ticksPerUnit;
        const int limit = int(std::lround(std::max(0.0, targetUnits))) + m_shortestUnits;
        int best = 0;
        for (int sum = 1; sum <= limit; ++sum) {
            if (m_pieces[std::size_t(sum)] == INT_MAX)
                continue;
            const double error = std::abs(sum - targetUnits);
            const double bestError = std::abs(best - targetUnits);
            if (error < bestError || (error == bestError && m_pieces[std::size_t(sum)] < m_pieces[std::size_t(best)]))
                best = sum;
        }
        std::vector<NoteLength> exact;
        for (int sum = best; sum > 0; sum -= units(m_last[std::size_t(sum)]))
            exact.push_back(m_last[std::size_t(sum)]);
        std::sort(exact.begin(), exact.end(), [this](NoteLength a, NoteLength b) { return units(a) > units(b); });
        lengths.insert(lengths.end(), exact.begin(), exact.end());
        return lengths;
    }

    // The fewest lengths, longest first, that fill the span to within a
    // fraction of a tick, if any do.
    std::optional<std::vector<NoteLength>> piecesFilling(double span) const
    {
        const std::optional<Filling> filling = fill(span);
        if (!filling)
            return std::nullopt;
        std::vector<NoteLength> pieces(std::size_t(filling->wholes), NoteLength::Whole);
        std::vector<NoteLength> rest;
        for (long left = filling->sum; left > 0; left -= units(m_last[std::size_t(left)]))
            rest.push_back(m_last[std::size_t(left)]);
        std::sort(rest.begin(), rest.end(), [this](NoteLength a, NoteLength b) { return units(a) > units(b); });
        pieces.insert(pieces.end(), rest.begin(), rest.end());
        return pieces;
    }

    // How many rests fill the span to within a fraction of a tick, if any
    // do: piecesFilling's count, without making them.
    std::optional<int> restsFilling(double span) const
    {
        const std::optional<Filling> filling = fill(span);
        return filling ? std::optional<int>(filling->wholes + m_pieces[std::size_t(filling->sum)]) : std::nullopt;
    }

    NoteRecord record(int pitch, Octave octave, Articulation articulation, NoteLength length) const
    {
        NoteRecord note;
        note.pitch = pitch;
        note.octave = octave;
        note.articulation = articulation;
        note.length = length;
        note.ticks = lengthTicks(length, m_tempo);
        return note;
    }

private:
    int units(NoteLength length) const { return m_units[std::size_t(length)]; }

    // A span as whole notes and a sum of units the table makes exactly, to
    // within a fraction of a tick; nothing where none does.
    struct Filling {
        int wholes = 0;
        long sum = 0;
    };
    std::optional<Filling> fill(double span) const
    {
        if (span < -m_exactFit)
            return std::nullopt;
        double wholes = 0;
        if (span > 2.0 * longest()) {
            wholes = std::floor(span / longest()) - 1;
            span -= wholes * longest();
        }
        const long sum = std::lround(std::max(0.0, span) / m_ticksPerUnit);
        if (std::abs(double(sum) * m_ticksPerUnit - span) >= m_exactFit || m_pieces[std::size_t(sum)] == INT_MAX)
            return std::nullopt;
        return Filling{int(std::min(wholes, double(TooManyNotes))), sum};
    }

    Timing m_timing;
    int m_tempo;
    double m_ticksPerUnit;
    double m_exactFit;
    std::array<int, NoteLengthCount> m_units{};
    int m_shortestUnits = 0;
    std::vector<int> m_pieces;
    std::vector<NoteLength> m_last;
};

int chooseTempo(const MidiSong &song, MidiImport &import)
{
    const int microseconds
        = song.tempos.empty() ? DefaultMicrosecondsPerQuarter : song.tempos.front().microsecondsPerQuarter;
    for (std::size_t i = 1; i < song.tempos.size(); ++i) {
        if (song.tempos[i].microsecondsPerQuarter != song.tempos[i - 1].microsecondsPerQuarter)
            ++import.tempoChangesIgnored;
    }
    import.fileTempo = int(std::lround(60000000.0 / microseconds));
    return std::clamp(import.fileTempo, TempoReader::MinimumTempo, TempoReader::MaximumTempo);
}

} // namespace

namespace {

// A note that sounds for sound, its next onset toNext from where it starts
// (its end toOff), as notes of its pitch tied into one another, all but the
// last slurred: to the next onset, or to its end and its articulation's gap
// with rests after; nothing where no tie of ZEPA's lengths explains it to
// within a fraction of a tick.
std::optional<std::vector<NoteRecord>> tiedExactly(const LengthFitter &fitter, int pitch, Octave octave, double sound,
                                                   double toNext, double toOff, bool struckAgain)
{
    for (bool untilNext : {true, false}) {
        for (Articulation articulation : AllArticulations) {
            const double end = untilNext ? toNext : toOff + gapTicks(articulation);
            if (struckAgain && articulation == Articulation::SlurOrTie && toNext - end < fitter.exactFit())
                continue;
            if (!untilNext && !fitter.restsFilling(toNext - end))
                continue;
            // The last piece decides how the tie ends (a last piece shorter
            // than its gap sounds the brick's shortest time): each is tried.
            for (const NoteLengthEntry &entry : noteLengthTable()) {
                const std::optional<std::vector<NoteLength>> head
                    = fitter.piecesFilling(end - fitter.ticks(entry.length));
                if (!head || head->empty())
                    continue;
                std::vector<NoteRecord> tie;
                double heard = 0;
                for (NoteLength length : *head) {
                    tie.push_back(fitter.record(pitch, octave, Articulation::SlurOrTie, length));
                    heard += fitter.ticks(length);
                }
                tie.push_back(fitter.record(pitch, octave, articulation, entry.length));
                heard += fitter.sound(tie.back());
                if (std::abs(heard - sound) < fitter.exactFit())
                    return tie;
            }
        }
    }
    return std::nullopt;
}

// One reading of the voice in one timing, and how far the sounds it makes
// are from the file's, in ticks.
struct Reading {
    MidiImport import;
    double error = 0;
    int inexact = 0; // onsets it puts more than a fraction of a tick away from the file's
};

// A note followed by its own pitch struck again is never slurred into it: on
// the brick that is a tie, one sound, and a MIDI file writes a tie as one note.
Reading readVoice(const MidiSong &song, const MidiVoice &voice, const std::vector<Segment> &line, Timing timing)
{
    Reading reading;
    MidiImport &import = reading.import;
    const int tempo = chooseTempo(song, import);
    import.melody.tempo = tempo;
    // File ticks to ZEPA's ticks of 10 ms, at the one tempo.
    const auto at = [&](qint64 tick) { return double(tick) * 6000.0 / (double(song.ticksPerQuarter) * tempo); };
    const LengthFitter fitter(tempo, timing, at(1));
    std::vector<NoteRecord> &notes = import.melody.notes;
    double written = 0; // ticks of the notes made so far, in the timing
    const auto add = [&](const NoteRecord &note) {
        notes.push_back(note);
        written += fitter.ticks(note.length);
    };
    const auto restUntil = [&](double time) {
        for (NoteLength length : fitter.rests(time - written))
            add(fitter.record(NoteRecord::Rest, Octave::Middle, Articulation::Normal, length));
    };

    for (std::size_t i = 0; i < line.size(); ++i) {
        const Segment &segment = line[i];
        const double start = at(segment.start);
        const double off = at(segment.end);
        const double next = i + 1 < line.size() ? at(line[i + 1].start) : at(std::max(voice.trackEnd, segment.end));
        restUntil(start);
        if (notes.size() >= TooManyNotes)
            break;
        if (std::abs(written - start) >= fitter.exactFit())
            ++reading.inexact;

        const int key = inZepaRange(segment.key);
        if (key != segment.key)
            ++import.notesMovedByOctaves;
        const int pitch = key % 12;
        const auto octave = Octave(key / 12 - 4);

        if (off - written > fitter.longest() + fitter.shortest()) {
            ++import.notesTied;
            while (off - written > fitter.longest() + fitter.shortest() && notes.size() < TooManyNotes)
                add(fitter.record(pitch, octave, Articulation::SlurOrTie, NoteLength::Whole));
        }
        // Either the note lasts until the next one and its articulation makes
        // the silence, or it ends sooner and rests follow. A reading that gives
        // the same sound and the same next onset to within a fraction of a tick
        // wins (any of them plays the same): one lasting until the next note
        // first, then the one needing the fewest rests. Otherwise the nearest,
        // preferring to last until the next note while that is near enough.
        const double sound = off - std::max(start, written);
        struct Choice {
            NoteRecord note;
            double error = 1e300; // ticks the sound is off by
            double misfit = 1e300; // ticks the note's end is off by
            int rests = 0; // rests after it
            bool betterThan(const Choice &other) const
            {
                return std::tie(error, rests, misfit) < std::tie(other.error, other.rests, other.misfit);
            }
        };
        Choice untilNext;
        Choice thenRest;
        Choice exactThenRest;
        const bool struckAgain = i + 1 < line.size() && inZepaRange(line[i + 1].key) == key;
        for (Articulation articulation : AllArticulations) {
            const auto consider = [&](Choice &best, NoteLength length, double end, int rests) {
                const bool intoNext = rests == 0 && written + fitter.ticks(length) >= next - fitter.exactFit();
                if (struckAgain && intoNext && articulation == Articulation::SlurOrTie)
                    return;
                Choice choice{fitter.record(pitch, octave, articulation, length), 0, 0, rests};
                choice.error = std::abs(fitter.sound(choice.note) - sound);
                choice.misfit = std::abs(written + fitter.ticks(length) - end);
                if (choice.betterThan(best))
                    best = choice;
            };
            consider(untilNext, fitter.nearest(next - written), next, 0);
            for (const NoteLengthEntry &entry : noteLengthTable()) {
                const double end = off + gapTicks(articulation);
                // Never past the next onset: the melody would come late from there on.
                if (written + fitter.ticks(entry.length) <= next + fitter.exactFit())
                    consider(thenRest, entry.length, end, 0);
                const std::optional<int> rests = fitter.restsFilling(next - written - fitter.ticks(entry.length));
                if (rests)
                    consider(exactThenRest, entry.length, end, *rests);
            }
        }
        const Choice *taken = &thenRest;
        if (untilNext.error < fitter.exactFit() && untilNext.misfit < fitter.exactFit()) {
            taken = &untilNext;
        } else if (exactThenRest.error < fitter.exactFit()) {
            taken = &exactThenRest;
        } else if (const std::optional<std::vector<NoteRecord>> tie
                   = tiedExactly(fitter, pitch, octave, sound, next - written, off - written, struckAgain)) {
            // Of a length between ZEPA's: notes of its pitch tied, as ZEPA writes one.
            for (const NoteRecord &piece : *tie)
                add(piece);
            continue;
        } else if (untilNext.misfit < fitter.exactFit() || exactThenRest.error < 1e300) {
            // Of the readings that keep the next onset where it is, the one
            // sounding nearest: a melody a little shorter or longer in its
            // sounds, never late.
            const bool keepsOnset = untilNext.misfit < fitter.exactFit();
            taken = keepsOnset && untilNext.error <= exactThenRest.error ? &untilNext : &exactThenRest;
        } else if (untilNext.error <= thenRest.error || untilNext.error <= ArticulationTolerance)
            taken = &untilNext;
        reading.error += taken->error + taken->misfit;
        add(taken->note);
    }
    if (!line.empty() && notes.size() < TooManyNotes)
        restUntil(at(voice.trackEnd));
    if (notes.size() >= TooManyNotes) {
        import.error = QCoreApplication::translate("MidiImport", "音と休符が、ZEPAの楽譜に入る %1 個を超えます。")
                           .arg(ComposerState::ScoreCapacity);
        notes.clear();
    } else if (notes.empty()) {
        import.error
            = QCoreApplication::translate("MidiImport", "選んだトラックとチャンネルに、聞こえる音がありません。");
    }
    return reading;
}

} // namespace

MidiImport importMidiVoice(const MidiSong &song, const MidiVoice &voice)
{
    // Notes struck within a 64th note of one another are one chord.
    const qint64 chordWindow = std::max<qint64>(1, song.ticksPerQuarter / 16);
    int hidden = 0;
    const std::vector<Segment> line = melodyLine(voice.notes, chordWindow, hidden);
    // The timing that explains the file better: a file on the beat grid
    // fits the grid exactly, one timed as the brick plays fits that; where
    // both fit alike, as played.
    Reading played = readVoice(song, voice, line, Timing::AsPlayed);
    Reading grid = readVoice(song, voice, line, Timing::Grid);
    Reading *best = grid.error < played.error && grid.import.ok() ? &grid : &played;
    // A file whose onsets neither timing puts where they are was written by
    // another program, or played in: its onsets are put on the grid its own
    // timing supports, each on its own, so that the melody never drifts from
    // them by more than half a step.
    if (best->inexact > 0) {
        bool exact = false;
        const double step = onsetGrid(line, song.ticksPerQuarter, exact);
        int moved = 0;
        const std::vector<Segment> snapped = quantized(line, step, moved, hidden);
        Reading onGrid = readVoice(song, voice, snapped, Timing::Grid);
        if (onGrid.import.ok() || !best->import.ok()) {
            grid = std::move(onGrid);
            best = &grid;
            best->import.onsetsMoved = moved;
            best->import.onsetGridQuarters = double(step) / song.ticksPerQuarter;
        }
    }
    best->import.notesHidden += hidden;
    return std::move(best->import);
}

QStringList MidiImport::changes() const
{
    QStringList lines;
    if (notesMovedByOctaves > 0)
        lines << (QCoreApplication::translate("MidiImport",
                                              "ZEPAの５オクターブの外にあった %n 音を、オクターブ単位で移しました。",
                                              nullptr, notesMovedByOctaves));
    if (notesHidden > 0)
        lines << (QCoreApplication::translate(
            "MidiImport", "ほかの音と重なっていた %n 音を省き、いちばん高い音を残しました。", nullptr, notesHidden));
    if (fileTempo != melody.tempo)
        lines << (QCoreApplication::translate("MidiImport",
                                              "テンポ %1 はZEPAの範囲（60～240）の外なので、%2 にしました。"))
                     .arg(fileTempo)
                     .arg(melody.tempo);
    if (tempoChangesIgnored > 0)
        lines << (QCoreApplication::translate("MidiImport",
                                              "途中のテンポの変化（%1 か所）は使わず、最初のテンポで通しました。"))
                     .arg(tempoChangesIgnored);
    if (onsetsMoved > 0) {
        const double step = onsetGridQuarters;
        const QString name = step >= 1 ? QCoreApplication::translate("MidiImport", "四分音符")
            : step >= 0.5              ? QCoreApplication::translate("MidiImport", "八分音符")
            : step >= 1.0 / 3 - 1e-9   ? QCoreApplication::translate("MidiImport", "三連八分音符")
            : step >= 0.25             ? QCoreApplication::translate("MidiImport", "十六分音符")
            : step >= 1.0 / 6 - 1e-9   ? QCoreApplication::translate("MidiImport", "三連十六分音符")
            : step >= 0.125            ? QCoreApplication::translate("MidiImport", "三十二分音符")
                                       : QCoreApplication::translate("MidiImport", "三連三十二分音符");
        lines << QCoreApplication::translate("MidiImport",
                                             "拍にそろっていないファイルなので、%n 音の始まりを、いちばん近い"
                                             "%2の刻みに合わせました（ずれは最大でその半分です）。",
                                             nullptr, onsetsMoved)
                     .arg(name);
    }
    if (notesTied > 0)
        lines << QCoreApplication::translate("MidiImport", "全音符より長い %n 音を、タイでつないだ音にしました。",
                                             nullptr, notesTied);
    return lines;
}

const MidiVoice *findMidiVoice(const MidiSong &song, int track, int channel)
{
    constexpr int DrumChannel = 10; // General MIDI's percussion: no melody in it
    const MidiVoice *drums = nullptr;
    for (const MidiVoice &voice : song.voices) {
        if ((track == 0 || voice.track == track) && (channel == 0 || voice.channel == channel)) {
            if (channel == 0 && voice.channel == DrumChannel) {
                drums = drums ? drums : &voice;
                continue;
            }
            return &voice;
        }
    }
    return drums;
}

QString describeMidiVoice(const MidiVoice &voice)
{
    const QString name = voice.trackName.isEmpty()
        ? QString()
        : QCoreApplication::translate("MidiImport", "（%1）").arg(voice.trackName);
    return QCoreApplication::translate("MidiImport", "トラック %1%2　チャンネル %3：%n 音", nullptr,
                                       int(voice.notes.size()))
        .arg(voice.track)
        .arg(name)
        .arg(voice.channel);
}
