#pragma once

#include <functional>
#include <string_view>

#include <QByteArray>

#include "sound/SoundRenderer.h"

// RIFF/WAVE, PCM, 44 100 Hz, mono, 16-bit: exactly the samples of the melody,
// with no lead or tail silence.
namespace WavFile {

// Sizes in the header are 32-bit: the data of one file can be at most this
// many bytes, about 13.5 hours of sound.
inline constexpr qint64 MaximumDataBytes = 0xFFFFFFFFll - 36;

bool fits(qint64 samples);
QByteArray header(qint64 samples);

// Told how many samples are written of how many; false cancels.
using Progress = std::function<bool(qint64 written, qint64 total)>;
// Takes the next bytes of the file; false when they could not be written.
using Sink = std::function<bool(std::string_view bytes)>;

enum class Streamed { Done, Cancelled, Failed };

// The whole file, header first, from the renderer's position to the end of
// the melody, in blocks into the sink. The caller has checked that it fits.
Streamed stream(SoundRenderer &renderer, const Sink &sink, const Progress &progress = {});

} // namespace WavFile
