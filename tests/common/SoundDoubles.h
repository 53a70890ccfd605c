#pragma once

#include <QString>

#include "playback/SoundOutput.h"
#include "widgets/FileChooser.h"

// An output that records what it was asked to play and plays it at once, or
// stands for a system without an output device.
class RecordingSoundOutput : public SoundOutput {
public:
    bool play(std::vector<BrickEvent> events) override
    {
        played.push_back(std::move(events));
        m_playing = available;
        return available;
    }
    void stop() override { m_playing = false; }
    bool isPlaying() const override { return m_playing; }

    // Lets a test end the melody as the real output would.
    void finish()
    {
        m_playing = false;
        emit finished();
    }

    bool available = true;
    std::vector<std::vector<BrickEvent>> played;

private:
    bool m_playing = false;
};

// Answers every save dialog with the same path (empty: cancelled).
class FixedFileChooser : public FileChooser {
public:
    QString saveFileName(QWidget *, const QString &, const QString &suggestedPath, const QString &) override
    {
        suggested = suggestedPath;
        return answer;
    }
    QString openFileName(QWidget *, const QString &, const QString &, const QString &) override { return toOpen; }
    QString answer;
    QString suggested;
    QString toOpen;
};
