#include "mml/MmlReader.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <optional>
#include <vector>

#include <QCoreApplication>

#include "mml/MmlDialect.h"
#include "mml/MmlLexer.h"
#include "mml/MmlText.h"
#include "score/TempoReader.h"

namespace {

using Kind = MmlToken::Kind;

// Commands a file may ask to be played through its loops before it is taken
// for one that never ends: far more than 32767 notes need.
constexpr qint64 MostSteps = 2'000'000;
constexpr int LowestKey = 48; // ZEPA's lowest C, o3c
constexpr int HighestKey = 107; // its highest B, o7b
constexpr int LetterSemitones[7] = {0, 2, 4, 5, 7, 9, 11};

// A note or rest as the file writes it, before it is made ZEPA's lengths.
struct Event {
    int key = -1; // MIDI key; -1 a rest
    qint64 units = 0;
    bool slurredOn = false; // tied or slurred into the next
    std::optional<Articulation> articulation; // ZEPA's own q
    std::optional<double> gate; // another program's q: the share of the length that sounds
    Octave octave = Octave::Middle; // a rest's, as written
    int line = 0;
    int column = 0;
    bool roundedLength = false;
};

struct Place {
    int count = 0;
    int line = 0;
    int column = 0;
    void add(int atLine, int atColumn)
    {
        if (count++ == 0)
            line = atLine, column = atColumn;
    }
};

// What reading the melody track counted, for the message.
struct Counts {
    int tempoChanges = 0;
    int notesMoved = 0;
    int gatesFitted = 0;
    int chordNotes = 0;
    bool octaveSteps = false;
    Place rounded;
    Place tied;
    Place unclosedLoops;
};

struct Failure {
    int line = 1;
    int column = 1;
    QString error;
};

// The commands of one track, with each loop's start matched to its end.
struct Track {
    QString id;
    std::vector<MmlToken> tokens;
    std::vector<std::size_t> partner; // of a loop's start its end, of an end its start, of a break its loop's end
    bool hasNotes = false;
    bool hasRests = false;
};

std::vector<Track> tracksOf(std::vector<MmlToken> tokens, const MmlDialect &dialect, MmlLeftOut &leftOut)
{
    std::vector<Track> tracks;
    const auto trackNamed = [&tracks](const QString &id) -> Track & {
        for (Track &track : tracks) {
            if (track.id == id)
                return track;
        }
        tracks.push_back({id, {}, {}, false, false});
        return tracks.back();
    };
    QStringList current{dialect.family == MmlDialect::Family::Mck ? QString() : QStringLiteral("1")};
    int next = 1;
    // A file of one track, as most are, is that track as it stands.
    if (std::none_of(tokens.begin(), tokens.end(), [](const MmlToken &token) {
            return token.kind == Kind::NextTrack || token.kind == Kind::Track;
        })) {
        Track &track = trackNamed(current.front());
        track.tokens = std::move(tokens);
        for (const MmlToken &token : track.tokens) {
            track.hasNotes = track.hasNotes || token.kind == Kind::Note || token.kind == Kind::NoteNumber;
            track.hasRests = track.hasRests || token.kind == Kind::Rest;
        }
        tokens.clear();
    }
    for (MmlToken &token : tokens) {
        if (token.kind == Kind::NextTrack) {
            current = {QString::number(++next)};
            continue;
        }
        if (token.kind == Kind::Track) {
            current = token.tracks;
            continue;
        }
        for (const QString &id : current) {
            Track &track = trackNamed(id);
            track.hasNotes = track.hasNotes || token.kind == Kind::Note || token.kind == Kind::NoteNumber;
            track.hasRests = track.hasRests || token.kind == Kind::Rest;
            track.tokens.push_back(token);
        }
    }
    for (Track &track : tracks) {
        const std::size_t count = track.tokens.size();
        track.partner.assign(count, count);
        std::vector<std::size_t> open;
        std::vector<MmlToken> kept;
        std::vector<std::size_t> keptOpen;
        // A loop's end without a start is left out; a start without an end
        // closes at the track's end.
        kept.reserve(count);
        for (std::size_t i = 0; i < count; ++i) {
            MmlToken &token = track.tokens[i];
            if (token.kind == Kind::LoopEnd && open.empty()) {
                leftOut.add(QCoreApplication::translate("MmlReader", "対応する始まりのない繰り返しの終わり"),
                            token.line, token.column);
                continue;
            }
            if (token.kind == Kind::LoopStart)
                open.push_back(kept.size());
            else if (token.kind == Kind::LoopEnd)
                open.pop_back();
            kept.push_back(std::move(token));
        }
        track.tokens = std::move(kept);
        track.partner.assign(track.tokens.size(), track.tokens.size());
        open.clear();
        for (std::size_t i = 0; i < track.tokens.size(); ++i) {
            const Kind kind = track.tokens[i].kind;
            if (kind == Kind::LoopStart) {
                open.push_back(i);
            } else if (kind == Kind::LoopEnd) {
                track.partner[i] = open.back();
                track.partner[open.back()] = i;
                open.pop_back();
            } else if (kind == Kind::LoopBreak && !open.empty()) {
                keptOpen.push_back(i);
                track.partner[i] = open.back(); // for now its loop's start
            }
        }
        for (std::size_t i : keptOpen)
            track.partner[i] = track.partner[track.partner[i]]; // the end of its loop
    }
    return tracks;
}

class Player {
public:
    Player(const Track &track, const MmlDialect &dialect, MmlLeftOut &leftOut, Counts &counts,
           const MmlToken *firstTempo, int tempo)
        : m_track(track)
        , m_dialect(dialect)
        , m_leftOut(leftOut)
        , m_counts(counts)
        , m_firstTempo(firstTempo)
        , m_tempo(tempo)
        , m_octave(dialect.defaultOctave)
    { }

    std::optional<Failure> play(std::vector<Event> &events)
    {
        const std::vector<MmlToken> &tokens = m_track.tokens;
        const std::size_t count = tokens.size();
        struct Frame {
            std::size_t start;
            int count;
            int pass;
        };
        std::vector<Frame> frames;
        qint64 steps = 0;
        std::size_t i = 0;
        while (true) {
            if (i >= count) {
                if (frames.empty())
                    break;
                // A loop the track never closed ends with the track.
                Frame &frame = frames.back();
                if (frame.pass == 1 && m_track.partner[frame.start] == count)
                    m_counts.unclosedLoops.add(tokens[frame.start].line, tokens[frame.start].column);
                if (frame.pass < frame.count && ++steps <= MostSteps) {
                    ++frame.pass;
                    i = frame.start + 1;
                    continue;
                }
                frames.pop_back();
                continue;
            }
            const MmlToken &token = tokens[i];
            if (++steps > MostSteps)
                return Failure{token.line, token.column,
                               QCoreApplication::translate("MmlReader", "繰り返しが多すぎます")};
            if (token.kind == Kind::LoopStart) {
                const std::size_t end = m_track.partner[i];
                std::optional<int> times = token.number;
                if (!times && end < count)
                    times = tokens[end].number;
                frames.push_back({i, std::max(times.value_or(2), 1), 1});
                ++i;
            } else if (token.kind == Kind::LoopEnd) {
                Frame &frame = frames.back();
                if (frame.pass < frame.count) {
                    ++frame.pass;
                    i = frame.start + 1;
                } else {
                    frames.pop_back();
                    ++i;
                }
            } else if (token.kind == Kind::LoopBreak) {
                if (!frames.empty() && frames.back().pass == frames.back().count) {
                    i = m_track.partner[i] < count ? m_track.partner[i] + 1 : count;
                    frames.pop_back();
                } else {
                    ++i;
                }
            } else if (token.kind == Kind::TrackEnd) {
                break;
            } else {
                if (std::optional<Failure> failed = perform(token, events))
                    return failed;
                ++i;
            }
        }
        return std::nullopt;
    }

private:
    // A length in units, never past the longest any file could mean (a
    // default dotted again and again in a loop grows by half each time).
    qint64 lengthOf(const MmlToken &token) const
    {
        constexpr qint64 Longest = UnitsPerWhole * 65536;
        if (token.units)
            return std::min(*token.units, Longest);
        qint64 units = m_units;
        qint64 added = units;
        for (int dot = 0; dot < token.dots && units < Longest; ++dot) {
            added /= 2;
            units += added;
        }
        return std::min(units, Longest);
    }

    int keyOf(const MmlToken &token)
    {
        const int octave = m_octave + m_once;
        m_once = 0;
        const int flag = token.natural ? 0 : m_flags[std::size_t(token.letter)];
        const qint64 key = qint64(octave - m_dialect.middleCOctave + 5) * 12 + LetterSemitones[token.letter]
            + token.accidentals + flag + m_transpose;
        return int(std::clamp<qint64>(key, -1000, 1000));
    }

    Event event(const MmlToken &token, int key, qint64 units)
    {
        Event made;
        made.key = key;
        made.units = units;
        made.line = token.line;
        made.column = token.column;
        made.roundedLength = token.roundedLength;
        made.articulation = m_articulation;
        made.gate = m_gate;
        made.octave = Octave(std::clamp(m_octave - m_dialect.middleCOctave + 4, 3, 7) - 3);
        return made;
    }

    std::optional<Failure> add(std::vector<Event> &events, const Event &made)
    {
        if (m_tuplets.empty() && m_chord) {
            // Of a chord, the highest note; the others are counted.
            if (!m_chordEvent || made.key > m_chordEvent->key) {
                if (m_chordEvent)
                    ++m_counts.chordNotes;
                m_chordEvent = made;
            } else {
                ++m_counts.chordNotes;
            }
            return std::nullopt;
        }
        if (int(events.size()) >= MaximumMmlNotes)
            return Failure{made.line, made.column,
                           QCoreApplication::translate("MmlReader", "音は %1 個までです").arg(MaximumMmlNotes)};
        events.push_back(made);
        return std::nullopt;
    }

    void gate(const MmlToken &token)
    {
        const int value = *token.number;
        // ZEPA's own files, and Q in capitals as ZEPA's guide has always
        // taught it, mean its own three; other programs' q its share.
        if ((m_dialect.zepas() || token.upper) && (value == 8 || value == 7 || value == 4)) {
            m_gate.reset();
            m_articulation = value == 8 ? Articulation::SlurOrTie
                : value == 7            ? Articulation::Normal
                                        : Articulation::Staccato;
            return;
        }
        m_articulation.reset();
        switch (m_dialect.gate) {
        case MmlDialect::Gate::Eighths:
            m_gate = std::clamp(value, 1, 8) / 8.0;
            break;
        case MmlDialect::Gate::Percent:
            m_gate = std::clamp(value, 1, 100) / 100.0;
            break;
        case MmlDialect::Gate::Sixteenths:
            m_gate = std::clamp(value, 1, 16) / 16.0;
            break;
        }
    }

    std::optional<Failure> perform(const MmlToken &token, std::vector<Event> &events)
    {
        switch (token.kind) {
        case Kind::Note:
            return add(events, event(token, keyOf(token), lengthOf(token)));
        case Kind::NoteNumber:
            return add(events, event(token, *token.number + m_transpose, lengthOf(token)));
        case Kind::Rest:
            return add(events, event(token, -1, lengthOf(token)));
        case Kind::Tie:
            if (events.empty() || (m_chord && !m_chordEvent)) {
                m_leftOut.add(QCoreApplication::translate("MmlReader", "前に音のない ^"), token.line, token.column);
                return std::nullopt;
            } else {
                Event &before = m_chord && m_chordEvent ? *m_chordEvent : events.back();
                Event next = before;
                before.slurredOn = before.key >= 0;
                next.units = lengthOf(token);
                next.line = token.line;
                next.column = token.column;
                next.roundedLength = token.roundedLength;
                next.slurredOn = false;
                if (m_chord)
                    return std::nullopt; // a chord's length grows at its end
                return add(events, next);
            }
        case Kind::Slur:
            if (events.empty())
                m_leftOut.add(QCoreApplication::translate("MmlReader", "前に音のない &"), token.line, token.column);
            else if (events.back().key >= 0)
                events.back().slurredOn = true;
            return std::nullopt;
        case Kind::DefaultLength:
            if (token.units || token.dots > 0)
                m_units = std::max<qint64>(lengthOf(token), 1);
            return std::nullopt;
        case Kind::Octave:
            m_octave = std::clamp(*token.number, -10, 20);
            return std::nullopt;
        case Kind::Greater:
        case Kind::Less:
            m_counts.octaveSteps = true;
            m_octave = std::clamp(m_octave + ((token.kind == Kind::Greater) != m_dialect.lessRaises ? 1 : -1), -10, 20);
            return std::nullopt;
        case Kind::OnceUp:
            m_once = 1;
            return std::nullopt;
        case Kind::OnceDown:
            m_once = -1;
            return std::nullopt;
        case Kind::Tempo:
            if (m_firstTempo && !(token.line == m_firstTempo->line && token.column == m_firstTempo->column)
                && std::clamp(*token.number, TempoReader::MinimumTempo, TempoReader::MaximumTempo) != m_tempo)
                ++m_counts.tempoChanges;
            return std::nullopt;
        case Kind::Gate:
            gate(token);
            return std::nullopt;
        case Kind::Transpose:
            m_transpose = *token.number;
            return std::nullopt;
        case Kind::KeyFlags:
            m_flags = token.flags;
            return std::nullopt;
        case Kind::ChordStart:
            m_chord = true;
            m_chordEvent.reset();
            return std::nullopt;
        case Kind::ChordEnd:
            m_chord = false;
            if (m_chordEvent) {
                if (token.units || token.dots > 0)
                    m_chordEvent->units = lengthOf(token);
                const Event chord = *m_chordEvent;
                m_chordEvent.reset();
                return add(events, chord);
            }
            return std::nullopt;
        case Kind::TupletStart:
            m_tuplets.push_back(events.size());
            return std::nullopt;
        case Kind::TupletEnd: {
            if (m_tuplets.empty())
                return std::nullopt;
            const std::size_t from = std::min(m_tuplets.back(), events.size());
            m_tuplets.pop_back();
            const qint64 notes = qint64(events.size() - from);
            if (notes == 0)
                return std::nullopt;
            // The notes share the length, each its part; the sum exact.
            const qint64 total = lengthOf(token);
            qint64 given = 0;
            for (qint64 k = 0; k < notes; ++k) {
                Event &member = events[from + std::size_t(k)];
                const qint64 share = total * (k + 1) / notes - given;
                member.roundedLength = member.roundedLength || total % notes != 0;
                member.units = share;
                given += share;
            }
            return std::nullopt;
        }
        default:
            return std::nullopt;
        }
    }

    const Track &m_track;
    const MmlDialect &m_dialect;
    MmlLeftOut &m_leftOut;
    Counts &m_counts;
    const MmlToken *m_firstTempo;
    int m_tempo;
    int m_octave;
    int m_once = 0;
    qint64 m_units = UnitsPerWhole / 4;
    std::optional<Articulation> m_articulation;
    std::optional<double> m_gate;
    int m_transpose = 0;
    std::array<int, 7> m_flags{};
    bool m_chord = false;
    std::optional<Event> m_chordEvent;
    std::vector<std::size_t> m_tuplets;
};

// ZEPA's thirteen lengths in 1920ths of a whole note, and the fewest of them
// that add up to each length of up to three whole notes (in steps of 20,
// the largest share all of them have).
class Lengths {
public:
    static constexpr qint64 Step = 20;

    Lengths()
    {
        for (const NoteLengthEntry &entry : noteLengthTable())
            m_units[std::size_t(entry.length)] = unitsOf(entry.length);
        constexpr std::size_t Limit = 3 * UnitsPerWhole / Step;
        m_fewest.assign(Limit + 1, INT_MAX);
        m_last.assign(Limit + 1, NoteLength::Whole);
        m_fewest[0] = 0;
        for (std::size_t sum = 1; sum <= Limit; ++sum) {
            for (const NoteLengthEntry &entry : noteLengthTable()) {
                const qint64 steps = unitsOf(entry.length) / Step;
                if (qint64(sum) >= steps && m_fewest[sum - std::size_t(steps)] != INT_MAX
                    && m_fewest[sum - std::size_t(steps)] + 1 < m_fewest[sum]) {
                    m_fewest[sum] = m_fewest[sum - std::size_t(steps)] + 1;
                    m_last[sum] = entry.length;
                }
            }
        }
    }

    // A length's share of a whole note, from the fraction the table names it by.
    static qint64 unitsOf(NoteLength length)
    {
        QByteArray fraction(noteLengthEntry(length).fraction);
        const bool dotted = fraction.endsWith('.');
        if (dotted)
            fraction.chop(1);
        const qint64 units = UnitsPerWhole / fraction.toInt();
        return dotted ? units * 3 / 2 : units;
    }

    // The lengths, longest first, adding up as nearly as they can to the
    // target: at least the shortest for a note; nothing for a rest too short.
    std::vector<NoteLength> pieces(qint64 target, bool note) const
    {
        std::vector<NoteLength> lengths;
        qint64 steps = std::max<qint64>(0, (target + Step / 2) / Step);
        const qint64 wholeSteps = UnitsPerWhole / Step;
        if (steps > 2 * wholeSteps) {
            const qint64 wholes = steps / wholeSteps - 1;
            if (wholes > MaximumMmlNotes)
                return std::vector<NoteLength>(std::size_t(MaximumMmlNotes) + 1, NoteLength::Whole);
            lengths.assign(std::size_t(wholes), NoteLength::Whole);
            steps -= wholes * wholeSteps;
        }
        // The nearest sum that can be made; a note is never nothing.
        qint64 best = -1;
        for (qint64 offset = 0; best < 0 && offset <= steps + 8; ++offset) {
            for (qint64 candidate : {steps - offset, steps + offset}) {
                if (candidate >= (note && lengths.empty() ? 1 : 0) && candidate < qint64(m_fewest.size())
                    && m_fewest[std::size_t(candidate)] != INT_MAX) {
                    best = candidate;
                    break;
                }
            }
        }
        std::vector<NoteLength> rest;
        for (qint64 sum = std::max<qint64>(best, 0); sum > 0;
             sum -= m_units[std::size_t(m_last[std::size_t(sum)])] / Step)
            rest.push_back(m_last[std::size_t(sum)]);
        std::sort(rest.begin(), rest.end(),
                  [this](NoteLength a, NoteLength b) { return m_units[std::size_t(a)] > m_units[std::size_t(b)]; });
        lengths.insert(lengths.end(), rest.begin(), rest.end());
        return lengths;
    }

    qint64 units(NoteLength length) const { return m_units[std::size_t(length)]; }

private:
    std::array<qint64, NoteLengthCount> m_units{};
    std::vector<int> m_fewest;
    std::vector<NoteLength> m_last;
};

const Lengths &lengths()
{
    static const Lengths table;
    return table;
}

// Another program's q: the nearest of ZEPA's three, by the silence it leaves
// after the note at the melody's tempo. Before its own pitch struck again,
// never the slur: on the brick that is a tie, and the note would not be heard again.
Articulation nearest(double gate, double lengthMs, bool struckAgain)
{
    const double gapMs = lengthMs * (1 - gate);
    Articulation best = struckAgain ? Articulation::Normal : Articulation::SlurOrTie;
    for (Articulation articulation : AllArticulations) {
        if (struckAgain && articulation == Articulation::SlurOrTie)
            continue;
        if (std::abs(gapTicks(articulation) * 10.0 - gapMs) < std::abs(gapTicks(best) * 10.0 - gapMs))
            best = articulation;
    }
    return best;
}

std::optional<Failure> notesOf(const std::vector<Event> &events, int tempo, Counts &counts,
                               std::vector<NoteRecord> &notes)
{
    const Lengths &table = lengths();
    qint64 exact = 0; // where the file's time is
    qint64 written = 0; // where the melody's is: never more than a rounding apart
    for (std::size_t index = 0; index < events.size(); ++index) {
        const Event &made = events[index];
        const bool struckAgain = index + 1 < events.size() && events[index + 1].key == made.key;
        exact += made.units;
        const bool isNote = made.key >= 0;
        const std::vector<NoteLength> pieces = table.pieces(exact - written, isNote);
        qint64 sum = 0;
        for (NoteLength length : pieces)
            sum += table.units(length);
        if (sum != made.units || made.roundedLength)
            counts.rounded.add(made.line, made.column);
        else if (pieces.size() > 1)
            counts.tied.add(made.line, made.column);
        written += sum;
        if (notes.size() + pieces.size() > std::size_t(MaximumMmlNotes))
            return Failure{made.line, made.column,
                           QCoreApplication::translate("MmlReader", "音は %1 個までです").arg(MaximumMmlNotes)};
        int key = made.key;
        if (isNote && (key < LowestKey || key > HighestKey)) {
            ++counts.notesMoved;
            while (key < LowestKey)
                key += 12;
            while (key > HighestKey)
                key -= 12;
        }
        Articulation last = made.articulation.value_or(Articulation::Normal);
        if (isNote && made.slurredOn) {
            last = Articulation::SlurOrTie;
        } else if (isNote && made.gate) {
            double ms = 0;
            for (NoteLength length : pieces)
                ms += lengthTicks(length, tempo) * 10.0;
            last = nearest(*made.gate, ms, struckAgain);
            ++counts.gatesFitted;
        }
        for (std::size_t k = 0; k < pieces.size(); ++k) {
            NoteRecord note;
            note.length = pieces[k];
            note.ticks = lengthTicks(pieces[k], tempo);
            if (isNote) {
                note.pitch = key % 12;
                note.octave = Octave(key / 12 - 4);
                note.articulation = k + 1 == pieces.size() ? last : Articulation::SlurOrTie;
            } else {
                // A rest keeps the octave and articulation as written.
                note.pitch = NoteRecord::Rest;
                note.octave = made.octave;
                note.articulation = made.articulation.value_or(Articulation::Normal);
            }
            notes.push_back(note);
        }
    }
    return std::nullopt;
}

QString at(const Place &place)
{
    return QCoreApplication::translate("MmlReader", "%1 か所、最初は %2行目 %3文字目")
        .arg(place.count)
        .arg(place.line)
        .arg(place.column);
}

} // namespace

QString MmlReadResult::message() const
{
    return QCoreApplication::translate("MmlReader", "%1行目 %2文字目: %3").arg(line).arg(column).arg(error);
}

MmlReadResult readMml(const QByteArray &bytes)
{
    MmlReadResult result;
    const auto fail = [](const Failure &failure) {
        MmlReadResult failed;
        failed.line = failure.line;
        failed.column = failure.column;
        failed.error = failure.error;
        return failed;
    };
    const QString text = mmlText(bytes);
    const MmlDialect dialect = mmlDialectOf(text);
    MmlLexed lexed = lexMml(text, dialect);

    // The first tempo anywhere is the melody's, however its tracks are laid out.
    const auto firstTempo = std::find_if(lexed.tokens.begin(), lexed.tokens.end(),
                                         [](const MmlToken &token) { return token.kind == Kind::Tempo; });
    const int fileTempo = firstTempo == lexed.tokens.end() ? 0 : *firstTempo->number;
    const int tempo = fileTempo == 0 ? Melody::DefaultTempo
                                     : std::clamp(fileTempo, TempoReader::MinimumTempo, TempoReader::MaximumTempo);
    const std::optional<MmlToken> tempoToken
        = firstTempo == lexed.tokens.end() ? std::nullopt : std::optional<MmlToken>(*firstTempo);

    std::vector<Track> tracks = tracksOf(std::move(lexed.tokens), dialect, lexed.leftOut);
    // The first track with notes; a melody of rests alone is a melody too.
    auto melodyTrack = std::find_if(tracks.begin(), tracks.end(), [](const Track &track) { return track.hasNotes; });
    if (melodyTrack == tracks.end())
        melodyTrack = std::find_if(tracks.begin(), tracks.end(), [](const Track &track) { return track.hasRests; });
    Counts counts;
    std::vector<Event> events;
    int otherTracks = 0;
    if (melodyTrack != tracks.end()) {
        otherTracks = int(std::count_if(tracks.begin(), tracks.end(),
                                        [&](const Track &track) { return track.hasNotes && &track != &*melodyTrack; }));
        Player player(*melodyTrack, dialect, lexed.leftOut, counts, tempoToken ? &*tempoToken : nullptr, tempo);
        if (std::optional<Failure> failed = player.play(events))
            return fail(*failed);
    }
    qsizetype notesWritten = 0;
    for (const Track &track : tracks)
        notesWritten += std::count_if(track.tokens.begin(), track.tokens.end(), [](const MmlToken &token) {
            return token.kind == Kind::Note || token.kind == Kind::NoteNumber;
        });
    // Far more signs of no dialect than notes: this is no MML.
    if (lexed.unknown > 0 && lexed.unknown >= notesWritten)
        return fail(
            {lexed.unknownLine, lexed.unknownColumn,
             QCoreApplication::translate(
                 "MmlReader", "「%1」は使えません。MMLとして読めません（どの書き方にもない命令が、音より多くあります）")
                 .arg(lexed.firstUnknown)});

    result.melody.tempo = tempo;
    result.melody.meter = lexed.meter;
    result.title = lexed.title;
    if (std::optional<Failure> failed = notesOf(events, tempo, counts, result.melody.notes))
        return fail(*failed);

    QStringList &say = result.changes;
    if (dialect.family == MmlDialect::Family::Sakura || dialect.family == MmlDialect::Family::Mck
        || dialect.family == MmlDialect::Family::FlMml)
        say << QCoreApplication::translate("MmlReader", "%1の書き方で書かれた曲として読みました。").arg(dialect.name());
    // Where a file says nothing, the direction is said only where notes fell
    // outside ZEPA's octaves: there the other reading may have been meant.
    if (counts.octaveSteps && !dialect.zepas()
        && (dialect.family != MmlDialect::Family::Plain || counts.notesMoved > 0))
        say << (dialect.directionDeclared ? QCoreApplication::translate(
                    "MmlReader", "オクターブは、ファイルの指定どおり「%1」で上がるものとして読みました。")
                    : dialect.family == MmlDialect::Family::Plain
                    ? QCoreApplication::translate("MmlReader",
                                                  "オクターブは、多くのMMLと同じく「%"
                                                  "1」で上がるものとして読みました（ファイルに指定がありません）。")
                    : QCoreApplication::translate(
                        "MmlReader", "オクターブは、この書き方の決まりどおり「%1」で上がるものとして読みました。"))
                   .arg(dialect.lessRaises ? QStringLiteral("<") : QStringLiteral(">"));
    if (!lexed.leftOut.isEmpty())
        say << QCoreApplication::translate("MmlReader", "ZEPAでは使わない次のものを省きました：%1。")
                   .arg(lexed.leftOut.listed());
    if (otherTracks > 0)
        say << QCoreApplication::translate(
            "MmlReader", "ZEPAは一度にひとつの音しか鳴らせないので、最初のトラックのほかの %n トラックを省きました。",
            nullptr, otherTracks);
    if (counts.chordNotes > 0)
        say << QCoreApplication::translate("MmlReader", "和音の下の %n 音を省き、いちばん高い音を残しました。", nullptr,
                                           counts.chordNotes);
    if (fileTempo != 0 && fileTempo != tempo)
        say << QCoreApplication::translate("MmlReader", "テンポ %1 はZEPAの範囲（60～240）の外なので、%2 にしました。")
                   .arg(fileTempo)
                   .arg(tempo);
    if (counts.tempoChanges > 0)
        say << QCoreApplication::translate("MmlReader",
                                           "途中のテンポの変化（%1 か所）は使わず、最初のテンポで通しました。")
                   .arg(counts.tempoChanges);
    if (counts.notesMoved > 0)
        say << QCoreApplication::translate("MmlReader",
                                           "ZEPAの５オクターブの外にあった %n 音を、オクターブ単位で移しました。",
                                           nullptr, counts.notesMoved);
    if (counts.tied.count > 0)
        say << QCoreApplication::translate(
                   "MmlReader", "ZEPAにひとつの音符ではない長さ（%1）を、ZEPAの長さの音をタイでつないで表しました。")
                   .arg(at(counts.tied));
    if (counts.rounded.count > 0)
        say << QCoreApplication::translate(
                   "MmlReader",
                   "ZEPAの長さで表せない長さ（%1）を、いちばん近い長さにしました。ずれは次の音で取り戻し、"
                   "曲の流れは変わりません。")
                   .arg(at(counts.rounded));
    if (counts.unclosedLoops.count > 0)
        say << QCoreApplication::translate("MmlReader",
                                           "閉じていない繰り返し（%1）は、トラックの終わりまでを繰り返しました。")
                   .arg(at(counts.unclosedLoops));
    if (counts.gatesFitted > 0)
        say << QCoreApplication::translate(
            "MmlReader",
            "q で決めた音の長さ（%n 音）を、ZEPAの音間（普通・スタッカート・スラーまたはタイ）の"
            "いちばん近いものにしました。",
            nullptr, counts.gatesFitted);
    return result;
}
