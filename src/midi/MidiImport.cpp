#include "midi/MidiImport.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
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

struct Segment {
    qint64 start;
    qint64 end;
    int key;
};

// The one voice a listener to the top line hears: at every moment the highest
// note sounding; a note struck again, or a new highest note, starts a new one.
std::vector<Segment> highestLine(const std::vector<MidiNote> &notes, int &hidden)
{
    struct Edge {
        qint64 time;
        bool on;
        int key;
    };
    std::vector<Edge> edges;
    edges.reserve(notes.size() * 2);
    for (const MidiNote &note : notes) {
        if (note.end <= note.start) {
            ++hidden; // no time to be heard
            continue;
        }
        edges.push_back({note.start, true, note.key});
        edges.push_back({note.end, false, note.key});
    }
    // Offs before ons at the same time, so a note ending as another starts
    // does not hide it.
    std::stable_sort(edges.begin(), edges.end(),
                     [](const Edge &a, const Edge &b) { return a.time != b.time ? a.time < b.time : !a.on && b.on; });
    std::vector<Segment> line;
    std::multiset<int> sounding;
    int currentKey = -1;
    qint64 currentStart = 0;
    for (std::size_t i = 0; i < edges.size();) {
        const qint64 time = edges[i].time;
        std::vector<int> struck;
        for (; i < edges.size() && edges[i].time == time; ++i) {
            if (edges[i].on) {
                sounding.insert(edges[i].key);
                struck.push_back(edges[i].key);
            } else {
                sounding.erase(sounding.find(edges[i].key));
            }
        }
        const int top = sounding.empty() ? -1 : *sounding.rbegin();
        const bool topStruck = std::find(struck.begin(), struck.end(), top) != struck.end();
        if (top != currentKey || topStruck) {
            if (currentKey >= 0)
                line.push_back({currentStart, time, currentKey});
            currentKey = top;
            currentStart = time;
        }
        hidden += int(struck.size()) - (topStruck ? 1 : 0);
    }
    return line;
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

    // How many rests fill the span to within a fraction of a tick, if any do.
    std::optional<int> restsFilling(double span) const
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
        return int(std::min(wholes, double(TooManyNotes))) + m_pieces[std::size_t(sum)];
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

// One reading of the voice in one timing, and how far the sounds it makes
// are from the file's, in ticks.
struct Reading {
    MidiImport import;
    double error = 0;
};

Reading readVoice(const MidiSong &song, const MidiVoice &voice, Timing timing)
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

    const std::vector<Segment> line = highestLine(voice.notes, import.notesHidden);
    for (std::size_t i = 0; i < line.size(); ++i) {
        const Segment &segment = line[i];
        const double start = at(segment.start);
        const double off = at(segment.end);
        const double next = i + 1 < line.size() ? at(line[i + 1].start) : at(std::max(voice.trackEnd, segment.end));
        restUntil(start);
        if (notes.size() >= TooManyNotes)
            break;

        int key = segment.key;
        if (key < LowestKey || key > HighestKey)
            ++import.notesMovedByOctaves;
        while (key < LowestKey)
            key += 12;
        while (key > HighestKey)
            key -= 12;
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
        for (Articulation articulation : AllArticulations) {
            const auto consider = [&](Choice &best, NoteLength length, double end, int rests) {
                Choice choice{fitter.record(pitch, octave, articulation, length), 0, 0, rests};
                choice.error = std::abs(fitter.sound(choice.note) - sound);
                choice.misfit = std::abs(written + fitter.ticks(length) - end);
                if (choice.betterThan(best))
                    best = choice;
            };
            consider(untilNext, fitter.nearest(next - written), next, 0);
            for (const NoteLengthEntry &entry : noteLengthTable()) {
                const double end = off + gapTicks(articulation);
                consider(thenRest, entry.length, end, 0);
                const std::optional<int> rests = fitter.restsFilling(next - written - fitter.ticks(entry.length));
                if (rests)
                    consider(exactThenRest, entry.length, end, *rests);
            }
        }
        const Choice *taken = &thenRest;
        if (untilNext.error < fitter.exactFit() && untilNext.misfit < fitter.exactFit())
            taken = &untilNext;
        else if (exactThenRest.error < fitter.exactFit())
            taken = &exactThenRest;
        else if (untilNext.error <= thenRest.error || untilNext.error <= ArticulationTolerance)
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
    // The timing that explains the file better: a file on the beat grid
    // fits the grid exactly, one timed as the brick plays fits that; where
    // both fit alike, as played.
    Reading played = readVoice(song, voice, Timing::AsPlayed);
    Reading grid = readVoice(song, voice, Timing::Grid);
    return grid.error < played.error && grid.import.ok() ? std::move(grid.import) : std::move(played.import);
}

QStringList MidiImport::changes() const
{
    QStringList lines;
    if (notesMovedByOctaves > 0)
        lines << (QCoreApplication::translate("MidiImport",
                                              "ZEPAの５オクターブの外にあった %1 音を、オクターブ単位で移しました。"))
                     .arg(notesMovedByOctaves);
    if (notesHidden > 0)
        lines << (QCoreApplication::translate("MidiImport",
                                              "ほかの音と重なっていた %1 音を省き、いちばん高い音を残しました。"))
                     .arg(notesHidden);
    if (fileTempo != melody.tempo)
        lines << (QCoreApplication::translate("MidiImport",
                                              "テンポ %1 はZEPAの範囲（60～240）の外なので、%2 にしました。"))
                     .arg(fileTempo)
                     .arg(melody.tempo);
    if (tempoChangesIgnored > 0)
        lines << (QCoreApplication::translate("MidiImport",
                                              "途中のテンポの変化（%1 か所）は使わず、最初のテンポで通しました。"))
                     .arg(tempoChangesIgnored);
    if (notesTied > 0)
        lines << (QCoreApplication::translate("MidiImport", "全音符より長い %1 音を、タイでつないだ音にしました。"))
                     .arg(notesTied);
    return lines;
}

const MidiVoice *findMidiVoice(const MidiSong &song, int track, int channel)
{
    for (const MidiVoice &voice : song.voices) {
        if ((track == 0 || voice.track == track) && (channel == 0 || voice.channel == channel))
            return &voice;
    }
    return nullptr;
}

QString describeMidiVoice(const MidiVoice &voice)
{
    const QString name = voice.trackName.isEmpty()
        ? QString()
        : QCoreApplication::translate("MidiImport", "（%1）").arg(voice.trackName);
    return QCoreApplication::translate("MidiImport", "トラック %1%2　チャンネル %3：%4 音")
        .arg(voice.track)
        .arg(name)
        .arg(voice.channel)
        .arg(voice.notes.size());
}
