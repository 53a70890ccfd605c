#pragma once

#include <functional>

#include <QByteArray>
#include <QString>

#include "sound/SoundRenderer.h"

// RIFF/WAVE, PCM, 44 100 Hz, mono, 16-bit: exactly the samples of the melody,
// with no lead or tail silence.
namespace WavFile {

// Sizes in the header are 32-bit: the data of one file can be at most this
// many bytes, about 13.5 hours of sound.
inline constexpr qint64 MaximumDataBytes = 0xFFFFFFFFll - 36;

bool fits(qint64 samples);
QByteArray header(qint64 samples);

struct Result {
    enum class Status { Written, TooLong, Cancelled, Failed };
    Status status = Status::Failed;
    QString reason; // the system's reason when Failed
};

// Told how many samples are written of how many; false cancels.
using Progress = std::function<bool(qint64 written, qint64 total)>;

// Writes the whole melody through a save file: the file appears complete or
// not at all, and an existing file is replaced only once the new one is whole.
Result write(const QString &path, SoundRenderer &renderer, const Progress &progress = {});

} // namespace WavFile
