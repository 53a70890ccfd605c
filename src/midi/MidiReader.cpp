#include "midi/MidiReader.h"

#include <algorithm>
#include <array>
#include <optional>

#include <QCoreApplication>

namespace {

// Reads bytes from one chunk, noticing when the chunk ends too soon.
class ByteReader {
public:
    ByteReader(const char *data, qint64 size)
        : m_data(reinterpret_cast<const unsigned char *>(data))
        , m_size(size)
    { }

    bool atEnd() const { return m_at >= m_size; }
    qint64 position() const { return m_at; }
    std::optional<quint32> byte()
    {
        if (m_at >= m_size)
            return std::nullopt;
        return m_data[m_at++];
    }
    std::optional<quint32> bigEndian(int count)
    {
        quint32 value = 0;
        for (int i = 0; i < count; ++i) {
            const std::optional<quint32> next = byte();
            if (!next)
                return std::nullopt;
            value = (value << 8) | *next;
        }
        return value;
    }
    // A variable-length quantity: at most four bytes of seven bits.
    std::optional<quint32> variableLength()
    {
        quint32 value = 0;
        for (int i = 0; i < 4; ++i) {
            const std::optional<quint32> next = byte();
            if (!next)
                return std::nullopt;
            value = (value << 7) | (*next & 0x7f);
            if ((*next & 0x80) == 0)
                return value;
        }
        return std::nullopt;
    }
    bool skip(quint32 count)
    {
        if (m_size - m_at < qint64(count))
            return false;
        m_at += count;
        return true;
    }
    const char *here() const { return reinterpret_cast<const char *>(m_data + m_at); }

private:
    const unsigned char *m_data;
    qint64 m_size;
    qint64 m_at = 0;
};

QString Truncated()
{
    return QCoreApplication::translate("MidiReader", "ファイルが途中で切れています。");
}

// Reads one track's events into the voices of its channels.
QString readTrack(ByteReader track, int number, MidiSong &song)
{
    std::array<MidiVoice, 16> channels;
    // Notes sounding, per channel and key, oldest first: an off ends the
    // oldest. A queue, so that many notes of one key open at once cost no
    // more than a few.
    struct Open {
        std::vector<std::size_t> notes;
        std::size_t oldest = 0;
    };
    std::vector<std::array<Open, 128>> sounding(16);
    QString name;
    qint64 now = 0;
    quint32 runningStatus = 0;
    const auto broken = [&](const char *what) {
        return QCoreApplication::translate("MidiReader", "トラック %1 の %2 バイト目: %3")
            .arg(number)
            .arg(track.position())
            .arg(QCoreApplication::translate("MidiReader", what));
    };
    while (!track.atEnd()) {
        const std::optional<quint32> delta = track.variableLength();
        std::optional<quint32> status = track.byte();
        if (!delta || !status)
            return Truncated();
        now += *delta;
        if (*status == 0xff) {
            const std::optional<quint32> type = track.byte();
            const std::optional<quint32> length = track.variableLength();
            if (!type || !length)
                return Truncated();
            const char *data = track.here();
            if (!track.skip(*length))
                return Truncated();
            if (*type == 0x51 && *length == 3) {
                const auto *bytes = reinterpret_cast<const unsigned char *>(data);
                const int microseconds = (bytes[0] << 16) | (bytes[1] << 8) | bytes[2];
                if (microseconds > 0)
                    song.tempos.push_back({now, microseconds});
            } else if (*type == 0x03 && name.isEmpty()) {
                name = QString::fromUtf8(data, qsizetype(*length)).trimmed();
            } else if (*type == 0x2f) {
                break;
            }
            runningStatus = 0;
            continue;
        }
        if (*status == 0xf0 || *status == 0xf7) {
            const std::optional<quint32> length = track.variableLength();
            if (!length || !track.skip(*length))
                return Truncated();
            runningStatus = 0;
            continue;
        }
        std::optional<quint32> first;
        if (*status < 0x80) {
            if (runningStatus == 0)
                return broken(QT_TRANSLATE_NOOP("MidiReader", "データが命令なしで始まっています。"));
            first = status;
            status = runningStatus;
        } else if (*status >= 0xf0) {
            return broken(QT_TRANSLATE_NOOP("MidiReader", "トラックの中にあってはならない命令です。"));
        } else {
            runningStatus = *status;
            first = track.byte();
        }
        const quint32 kind = *status & 0xf0;
        const int channel = int(*status & 0x0f);
        std::optional<quint32> second = 0;
        if (kind != 0xc0 && kind != 0xd0)
            second = track.byte();
        if (!first || !second)
            return Truncated();
        if (*first > 0x7f || *second > 0x7f)
            return broken(QT_TRANSLATE_NOOP("MidiReader", "データのバイトが 127 を超えています。"));
        const int key = int(*first);
        if (kind == 0x90 && *second > 0) {
            sounding[channel][key].notes.push_back(channels[channel].notes.size());
            channels[channel].notes.push_back({now, -1, key});
        } else if (kind == 0x80 || kind == 0x90) {
            Open &open = sounding[channel][key];
            if (open.oldest < open.notes.size()) {
                channels[channel].notes[open.notes[open.oldest++]].end = now;
                if (open.oldest == open.notes.size()) {
                    open.notes.clear();
                    open.oldest = 0;
                }
            }
        }
    }
    for (int channel = 0; channel < 16; ++channel) {
        MidiVoice &voice = channels[channel];
        if (voice.notes.empty())
            continue;
        for (MidiNote &note : voice.notes) {
            if (note.end < 0)
                note.end = now;
        }
        voice.track = number;
        voice.channel = channel + 1;
        voice.trackName = name;
        voice.trackEnd = now;
        song.voices.push_back(std::move(voice));
    }
    return {};
}

// A RIFF MIDI file (.rmi) holds a Standard MIDI File in its "data" chunk;
// anything else is given back as it is.
QByteArray standardMidiFile(const QByteArray &bytes)
{
    if (!isRiffMidi(bytes))
        return bytes;
    ByteReader riff(bytes.constData(), bytes.size());
    riff.skip(12);
    while (!riff.atEnd()) {
        const char *id = riff.here();
        if (!riff.skip(4))
            break;
        std::optional<quint32> size = 0;
        for (int i = 0; i < 4 && size; ++i) {
            const std::optional<quint32> next = riff.byte();
            size = next ? std::optional<quint32>(*size | (*next << (8 * i))) : std::nullopt;
        }
        const char *data = riff.here();
        if (!size || !riff.skip(*size))
            break;
        if (QByteArrayView(id, 4) == "data")
            return QByteArray(data, qsizetype(*size));
        riff.skip(*size & 1); // chunks are padded to an even length
    }
    return QByteArray();
}

} // namespace

bool isRiffMidi(const QByteArray &bytes)
{
    return bytes.startsWith("RIFF") && bytes.mid(8, 4) == "RMID";
}

MidiReadResult readMidiFile(const QByteArray &fileBytes)
{
    const QByteArray bytes = standardMidiFile(fileBytes);
    MidiReadResult result;
    MidiSong &song = result.song;
    ByteReader file(bytes.constData(), bytes.size());
    if (!bytes.startsWith("MThd")) {
        result.error = QCoreApplication::translate("MidiReader", "MIDIファイルではありません。");
        return result;
    }
    file.skip(4);
    const std::optional<quint32> headerLength = file.bigEndian(4);
    const std::optional<quint32> format = file.bigEndian(2);
    const std::optional<quint32> trackCount = file.bigEndian(2);
    const std::optional<quint32> division = file.bigEndian(2);
    if (!headerLength || !format || !trackCount || !division || *headerLength < 6 || !file.skip(*headerLength - 6)) {
        result.error = Truncated();
        return result;
    }
    if (*division & 0x8000) {
        result.error
            = QCoreApplication::translate("MidiReader",
                                          "時間がSMPTE（秒のフレーム）で書かれたMIDIファイルには対応していません。"
                                          "拍で書かれたファイルを使ってください。");
        return result;
    }
    if (*format > 1) {
        result.error = QCoreApplication::translate(
                           "MidiReader", "形式 %1 のMIDIファイルには対応していません（形式 0 と 1 が読めます）。")
                           .arg(*format);
        return result;
    }
    if (*division == 0) {
        result.error = QCoreApplication::translate("MidiReader", "MIDIファイルの拍の分解能が 0 です。");
        return result;
    }
    song.format = int(*format);
    song.ticksPerQuarter = int(*division);
    int tracksRead = 0;
    while (tracksRead < int(*trackCount)) {
        const std::optional<quint32> type = file.bigEndian(4);
        const std::optional<quint32> length = file.bigEndian(4);
        const char *data = file.here();
        if (!type || !length || !file.skip(*length)) {
            result.error = Truncated();
            return result;
        }
        if (*type != 0x4d54726b) // chunks other than "MTrk" are skipped, as the format asks
            continue;
        ++tracksRead;
        const QString error = readTrack(ByteReader(data, *length), tracksRead, song);
        if (!error.isEmpty()) {
            result.error = error;
            return result;
        }
    }
    std::stable_sort(song.tempos.begin(), song.tempos.end(),
                     [](const MidiTempo &a, const MidiTempo &b) { return a.tick < b.tick; });
    if (song.voices.empty())
        result.error = QCoreApplication::translate("MidiReader", "MIDIファイルに音がひとつもありません。");
    return result;
}
