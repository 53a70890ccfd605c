#pragma once

#include <QString>
#include <QStringList>

#include "playback/SoundOutput.h"
#include "widgets/UserDialogs.h"

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

// Answers every dialog as the test set it up (empty or nothing: cancelled).
class ScriptedDialogs : public UserDialogs {
public:
    QString saveFileName(QWidget *, const QString &, const QString &suggestedPath, const QString &) override
    {
        suggested = suggestedPath;
        return answer;
    }
    QString openFileName(QWidget *, const QString &, const QString &, const QString &) override { return toOpen; }
    std::optional<QString> askText(QWidget *, const QString &, const QString &, const QString &) override
    {
        return typed;
    }
    std::optional<int> chooseItem(QWidget *, const QString &, const QString &, const QStringList &items) override
    {
        offered = items;
        return chosen;
    }
    bool openDocument(const QString &path) override
    {
        opened << path;
        return true;
    }
    QString answer;
    QString suggested;
    QStringList opened;
    QString toOpen;
    std::optional<QString> typed; // what the user types into the next question
    QStringList offered; // the choices of the last list shown
    std::optional<int> chosen; // the one the user picks from it
};
