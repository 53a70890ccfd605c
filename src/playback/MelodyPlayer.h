#pragma once

#include <functional>
#include <memory>
#include <span>

#include <QObject>

#include "playback/PlaybackStatus.h"
#include "playback/SoundOutput.h"

// Playing the melody and the keys, apart from any window: the melody from a
// note on or its last ten notes, one at a time; a key's pitch when it is
// clicked, unless the user turned key sounds off (kept in the settings).
// A system without a sound device is told once a run, not at every click.
class MelodyPlayer : public QObject {
    Q_OBJECT

public:
    using OutputMaker = std::function<std::unique_ptr<SoundOutput>()>;
    // Makes one output for the melody and one for the keys, so that a key
    // click does not stop the melody.
    explicit MelodyPlayer(const OutputMaker &makeOutput, QObject *parent = nullptr);
    ~MelodyPlayer() override;

    // The notes from first on; the output keeps its own copy, so composing
    // goes on while it plays. Whatever played before stops.
    void play(std::span<const NoteRecord> notes, int first = 0);
    void playLastTen(std::span<const NoteRecord> notes);
    // Plays the notes, or stops when a melody is playing.
    void playOrStop(std::span<const NoteRecord> notes);
    void stop();
    bool isPlaying() const { return m_melody->isPlaying(); }

    // The pitch of a key in the chosen octave for the chosen length, at most
    // a second; a new click cuts the sound before it.
    void soundKey(const NoteRecord &note);
    bool keySoundsOn() const { return m_keySoundsOn; }
    void setKeySoundsOn(bool on);

signals:
    void playingChanged(bool playing);
    // How far the melody is: the note sounding (an index into the score) and
    // the status words, "再生中　12 / 340 音　0:05 / 1:23".
    void progressed(int noteIndex, const QString &status);
    // There was nothing to play: "再生する音がありません".
    void nothingToPlay(const QString &status);
    // No sound device: sent the first time only.
    void noSoundDevice();

private:
    void tellNoSound();

    std::unique_ptr<SoundOutput> m_melody;
    std::unique_ptr<SoundOutput> m_key;
    PlaybackStatus m_status;
    int m_first = 0;
    bool m_keySoundsOn = true;
    bool m_toldNoSound = false;
};
