#include "notation/MusicXmlReader.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QXmlStreamReader>

#include "engraving/WrittenMelody.h"
#include "notation/MusicXmlPart.h"
#include "score/ComposerState.h"

namespace {

using namespace MusicXml;

// Notes tied into one another are one note, as they are heard (a tie needs
// its stop: a note whose tie leads nowhere is struck again after it).
std::vector<WrittenNote> joinTies(std::vector<WrittenNote> notes)
{
    std::stable_sort(notes.begin(), notes.end(), [](const WrittenNote &a, const WrittenNote &b) {
        return a.voice != b.voice ? a.voice < b.voice : a.start < b.start;
    });
    std::vector<WrittenNote> joined;
    for (std::size_t i = 0; i < notes.size();) {
        std::size_t end = i + 1;
        // The chain: each tied into the next of its voice, same key, at its end.
        while (end < notes.size() && notes[end - 1].tieStart && notes[end].tieStop && notes[end].voice == notes[i].voice
               && notes[end].key == notes[i].key && notes[end].start == notes[end - 1].start + notes[end - 1].length)
            ++end;
        if (end > i + 1) {
            WrittenNote whole = notes[end - 1];
            whole.start = notes[i].start;
            whole.length = notes[end - 1].start + notes[end - 1].length - notes[i].start;
            whole.tieStop = notes[i].tieStop;
            joined.push_back(whole);
        } else {
            joined.insert(joined.end(), notes.begin() + qsizetype(i), notes.begin() + qsizetype(end));
        }
        i = end;
    }
    std::stable_sort(joined.begin(), joined.end(),
                     [](const WrittenNote &a, const WrittenNote &b) { return a.start < b.start; });
    return joined;
}

std::optional<NoteLength> zepaLength(qint64 ticks)
{
    for (const NoteLengthEntry &entry : noteLengthTable()) {
        if (MidiFile::gridTicks(entry.length) == ticks)
            return entry.length;
    }
    return std::nullopt;
}

// The melody note for note and rest for rest, where the part is one line of
// ZEPA's own lengths, each starting where the one before ends: as ZEPA
// writes a melody, and as most songs are. Nothing where it is not. A run of
// rests, or of notes tied into one another, across a printed bar line is one
// note where it is just how that note would be written across the bar (a
// half note from the fourth beat of 4/4: two quarters tied); else each is a
// note. Measures of a time signature not printed are only where a writer cut
// the line (ZEPA's own, without a meter): nothing is joined across them.
std::optional<Melody> exactMelody(std::vector<WrittenNote> line, const std::vector<qint64> &measureStarts,
                                  bool barsShown, int tempo, int &movedByOctaves)
{
    std::stable_sort(line.begin(), line.end(),
                     [](const WrittenNote &a, const WrittenNote &b) { return a.start < b.start; });
    std::vector<NoteLength> lengths;
    qint64 at = 0;
    int voice = -1;
    for (const WrittenNote &note : line) {
        const std::optional<NoteLength> length = zepaLength(note.length);
        if (note.start != at || !length || (!note.rest && voice >= 0 && note.voice != voice))
            return std::nullopt;
        if (!note.rest)
            voice = note.voice;
        lengths.push_back(*length);
        at = note.end();
    }
    constexpr qint64 TicksPerUnit = TicksPerQuarter / 24;
    // The notes i … end-1 as the one note of that length that ZEPA would have
    // written so across the bar line after the first.
    auto joined = [&](std::size_t i, std::size_t end) -> std::optional<NoteLength> {
        const WrittenNote &first = line[i];
        const qint64 total = line[end - 1].end() - first.start;
        const std::optional<NoteLength> length = zepaLength(total);
        const auto next = std::upper_bound(measureStarts.begin(), measureStarts.end(), first.start);
        if (!length || next == measureStarts.end() || next + 1 == measureStarts.end() || *next >= line[end - 1].end())
            return std::nullopt;
        const qint64 toBar = *next - first.start;
        // The bar after the line; the last may be cut short, and then is as
        // long as the one before.
        qint64 bar = *(next + 1) - *next;
        if (next + 2 == measureStarts.end() && next != measureStarts.begin())
            bar = std::max(bar, *next - *(next - 1));
        if (toBar % TicksPerUnit != 0 || bar % TicksPerUnit != 0 || toBar > bar)
            return std::nullopt;
        const std::optional<std::vector<NoteLength>> split
            = splitAtBars(*length, int((bar - toBar) / TicksPerUnit), int(bar / TicksPerUnit));
        if (!split
            || !std::equal(split->begin(), split->end(), lengths.begin() + qsizetype(i),
                           lengths.begin() + qsizetype(end)))
            return std::nullopt;
        return length;
    };
    Melody melody;
    melody.tempo = tempo;
    for (std::size_t i = 0; i < line.size();) {
        const WrittenNote &note = line[i];
        std::size_t run = i + 1;
        while (run < line.size()
               && (note.rest
                       ? line[run].rest
                       : !line[run].rest && line[run - 1].tieStart && line[run].tieStop && line[run].key == note.key))
            ++run;
        std::size_t end = i + 1;
        NoteLength length = lengths[i];
        for (std::size_t k = barsShown ? run : i + 1; k > i + 1; --k) {
            if (const std::optional<NoteLength> whole = joined(i, k)) {
                end = k;
                length = *whole;
                break;
            }
        }
        NoteRecord record;
        record.length = length;
        record.ticks = lengthTicks(length, tempo);
        if (note.rest) {
            record.pitch = NoteRecord::Rest;
        } else {
            int octave = int(std::floor(note.key / 12.0)) - 4;
            record.pitch = ((note.key % 12) + 12) % 12;
            if (octave < 0 || octave > 4) {
                ++movedByOctaves;
                octave = std::clamp(octave, 0, 4);
            }
            record.octave = Octave(octave);
            record.articulation = line[end - 1].articulation();
        }
        melody.notes.push_back(record);
        if (melody.notes.size() > std::size_t(ComposerState::ScoreCapacity))
            return std::nullopt;
        i = end;
    }
    return melody;
}

// A file that says it is UTF-8 (or, saying nothing, must be) yet is not was
// written by a program that used its system's Western code page: its text
// as Windows-1252, in UTF-8. Nothing for any other file.
std::optional<QByteArray> recodedFromWesternCodePage(const QByteArray &bytes)
{
    if (bytes.startsWith("\xFE\xFF") || bytes.startsWith("\xFF\xFE"))
        return std::nullopt;
    static const QRegularExpression declaration(
        QStringLiteral("^(?:\\x{EF}\\x{BB}\\x{BF})?<\\?xml[^>]*encoding\\s*=\\s*[\"']([^\"']+)[\"']"));
    const QRegularExpressionMatch declared = declaration.match(QString::fromLatin1(bytes.left(256)));
    if (declared.hasMatch() && declared.captured(1).compare(QLatin1String("utf-8"), Qt::CaseInsensitive) != 0
        && declared.captured(1).compare(QLatin1String("utf8"), Qt::CaseInsensitive) != 0)
        return std::nullopt;
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString asUtf8 = utf8(bytes);
    if (!utf8.hasError())
        return std::nullopt;
    QStringDecoder western("windows-1252");
    const QString text = western.isValid() ? QString(western(bytes)) : QString::fromLatin1(bytes);
    return text.toUtf8();
}

} // namespace

bool looksLikeMusicXml(const QByteArray &bytes)
{
    if (const std::optional<QByteArray> recoded = recodedFromWesternCodePage(bytes.left(64 * 1024)))
        return looksLikeMusicXml(*recoded);
    if (bytes.startsWith("PK\x03\x04"))
        return true;
    // The root element, wherever the prolog (declaration, comments, the
    // document type) ends, in whatever encoding the byte order mark and the
    // declaration name: anything not XML fails at its first character.
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement)
            return xml.name() == QLatin1String("score-partwise") || xml.name() == QLatin1String("score-timewise");
        if (token == QXmlStreamReader::Invalid)
            break;
    }
    // Broken XML that names a score where it broke is a damaged score, for
    // its reader to say what is wrong with it.
    const QByteArray head = bytes.left(qsizetype(xml.characterOffset()) + 64);
    return head.contains("<score-partwise") || head.contains("<score-timewise");
}

MusicXmlRead readMusicXml(const QByteArray &bytes)
{
    MusicXmlRead read;
    Failure failure;
    std::optional<QByteArray> text = bytes;
    if (bytes.startsWith("PK\x03\x04"))
        text = unzippedScore(bytes, failure);
    bool recoded = false;
    if (text) {
        if (std::optional<QByteArray> western = recodedFromWesternCodePage(*text)) {
            text = std::move(western);
            recoded = true;
        }
    }
    int otherParts = 0;
    std::optional<PartContents> part;
    if (text)
        part = readFirstPart(*text, failure, otherParts);
    if (!part) {
        read.error = failure.text;
        return read;
    }

    // The tempo first: each note's silence after it is its articulation's
    // gap at that tempo, as ZEPA's own MIDI files on the beat grid time it,
    // so that the import reads every articulation back exactly.
    const int fileTempo = part->tempo ? int(std::lround(std::min(*part->tempo, 1e6))) : 0;
    const int tempo = std::clamp(fileTempo > 0 ? fileTempo : Melody::DefaultTempo, 60, 240);
    const std::vector<WrittenNote> line = joinTies(part->notes);
    int moved = 0;
    if (std::optional<Melody> exact = exactMelody(part->notes, part->measureStarts, part->barsShown, tempo, moved)) {
        read.import.melody = *exact;
        read.import.notesMovedByOctaves = moved;
        read.import.fileTempo = fileTempo > 0 ? fileTempo : tempo;
    } else {
        MidiSong song;
        song.ticksPerQuarter = int(TicksPerQuarter);
        if (fileTempo > 0)
            song.tempos.push_back({0, int(std::lround(60000000.0 / std::max(fileTempo, 1)))});
        MidiVoice voice;
        voice.track = 1;
        voice.channel = 1;
        for (const WrittenNote &note : line) {
            if (!note.rest)
                voice.notes.push_back({note.start,
                                       note.start + MidiFile::gridSoundTicks(note.length, note.articulation(), tempo),
                                       note.key});
        }
        voice.trackEnd = part->end;
        song.voices.push_back(voice);
        read.import = importMidiVoice(song, song.voices.front());
        if (!read.import.ok()) {
            read.error = read.import.error;
            return read;
        }
    }
    read.import.melody.meter = part->meter;
    read.title = part->title;

    auto say = [&read](int count, const char *words) {
        if (count > 0)
            read.leftOut << QCoreApplication::translate("MusicXmlReader", words, nullptr, count);
    };
    say(otherParts, QT_TRANSLATE_N_NOOP("MusicXmlReader", "ほかの%nパートは読まず、最初のパートだけを読みました。"));
    say(part->graceNotes, QT_TRANSLATE_N_NOOP("MusicXmlReader", "装飾音%n個は読みませんでした。"));
    say(part->unpitched, QT_TRANSLATE_N_NOOP("MusicXmlReader", "打楽器の音%n個は読みませんでした。"));
    say(part->dynamics,
        QT_TRANSLATE_N_NOOP("MusicXmlReader", "強弱記号%n個は読みませんでした（音の大きさはいつも同じです）。"));
    if (recoded)
        read.leftOut << QCoreApplication::translate("MusicXmlReader",
                                                    "UTF-8 と書かれていますが UTF-8 ではないので、"
                                                    "西欧の文字コード（Windows-1252）として読みました。");
    say(part->otherVoiceNotes,
        QT_TRANSLATE_N_NOOP("MusicXmlReader",
                            "旋律（上の段の最初の声部）のほかの声部や段の音%n個は読みませんでした。"));
    say(part->chordNotes,
        QT_TRANSLATE_N_NOOP("MusicXmlReader", "和音の下の音%n個は省き、いちばん高い音を残しました。"));
    say(part->transposedNotes,
        QT_TRANSLATE_N_NOOP("MusicXmlReader",
                            "移調楽器の楽譜の%n音を、書かれた高さではなく実際に鳴る高さで読みました。"));
    say(part->microtones,
        QT_TRANSLATE_N_NOOP("MusicXmlReader",
                            "半音の整数倍でない変化記号（四分音など）の%n音を、いちばん近い半音にしました。"));
    if (part->divisionsMissing)
        read.leftOut << QCoreApplication::translate(
            "MusicXmlReader", "長さの単位（divisions）が書かれていないので、音符の種類から決めました。");
    say(part->repeats,
        QT_TRANSLATE_N_NOOP("MusicXmlReader", "繰り返し記号%n個は展開せず、書かれたとおり一度だけ読みました。"));
    return read;
}
