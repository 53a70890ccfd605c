#pragma once

#include <vector>

#include <QObject>

#include "performance/BrickEvents.h"

// Where a melody is heard. The real one plays through the system's sound
// server; tests put a double in place that records what it was asked to play.
class SoundOutput : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // Starts playing the events (the output keeps its own copy); whatever was
    // playing stops first. False when there is no output device.
    virtual bool play(std::vector<BrickEvent> events) = 0;
    virtual void stop() = 0;
    virtual bool isPlaying() const = 0;

signals:
    // How far the melody has been heard, in ticks of 10 ms.
    void progressed(qint64 heardTicks, qint64 totalTicks);
    // The whole melody has been heard.
    void finished();
    // The output device went away while playing.
    void failed();
};
