#include "playback/MelodyPlayer.h"

#include <algorithm>

#include <QCoreApplication>
#include <QSettings>

namespace {

const QString KeySoundsSetting = QStringLiteral("sound/keySounds");

} // namespace

MelodyPlayer::MelodyPlayer(const OutputMaker &makeOutput, QObject *parent)
    : QObject(parent)
    , m_melody(makeOutput())
    , m_key(makeOutput())
    , m_keySoundsOn(QSettings().value(KeySoundsSetting, true).toBool())
{
    connect(m_melody.get(), &SoundOutput::progressed, this, [this](qint64 heard, qint64 total) {
        emit progressed(m_first + m_status.noteAt(heard), m_status.text(heard, total));
    });
    connect(m_melody.get(), &SoundOutput::finished, this, [this] { emit playingChanged(false); });
    connect(m_melody.get(), &SoundOutput::failed, this, [this] {
        emit playingChanged(false);
        tellNoSound();
    });
}

MelodyPlayer::~MelodyPlayer() = default;

void MelodyPlayer::play(std::span<const NoteRecord> notes, int first)
{
    m_melody->stop();
    first = std::clamp(first, 0, int(notes.size()));
    const std::span<const NoteRecord> played = notes.subspan(std::size_t(first));
    if (played.empty()) {
        emit playingChanged(false);
        emit nothingToPlay(QCoreApplication::translate("MelodyPlayer", "再生する音がありません"));
        return;
    }
    m_first = first;
    m_status = PlaybackStatus(played);
    if (!m_melody->play(brickEvents(played))) {
        emit playingChanged(false);
        tellNoSound();
        return;
    }
    emit playingChanged(true);
    emit progressed(m_first, m_status.text(0, 0));
}

void MelodyPlayer::playLastTen(std::span<const NoteRecord> notes)
{
    play(notes, int(notes.size()) - int(std::min<std::size_t>(notes.size(), 10)));
}

void MelodyPlayer::playOrStop(std::span<const NoteRecord> notes)
{
    if (isPlaying())
        stop();
    else
        play(notes);
}

void MelodyPlayer::stop()
{
    m_melody->stop();
    emit playingChanged(false);
}

void MelodyPlayer::soundKey(const NoteRecord &note)
{
    if (!m_keySoundsOn || !note.isChosen() || note.isRest())
        return;
    NoteRecord key = note;
    key.articulation = Articulation::SlurOrTie; // the key sounds for the whole length
    key.ticks = std::min<qint16>(key.ticks, 100);
    if (!m_key->play(brickEvents(std::span(&key, 1))))
        tellNoSound();
}

void MelodyPlayer::setKeySoundsOn(bool on)
{
    m_keySoundsOn = on;
    QSettings().setValue(KeySoundsSetting, on);
}

void MelodyPlayer::tellNoSound()
{
    if (m_toldNoSound)
        return;
    m_toldNoSound = true;
    emit noSoundDevice();
}
