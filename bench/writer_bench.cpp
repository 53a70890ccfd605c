// Writes two full scores of 32767 notes the way the finish button does, each
// against one raw write of the same bytes in the same run:
// - equal whole notes at tempo 60 (the longest program there is);
// - a seeded random score over every pitch, octave, length, articulation and
//   rest at tempo 120 (what a real melody looks like to the writer).
// The writer's time includes flushing the file to the disk and naming it; the
// raw write flushes too, so the ratio compares like with like.
// Prints the medians of both; the last line is "ratio R" for the varied score.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "BenchSupport.h"
#include "files/MusicFileSaver.h"
#include "nqc/NqcProgram.h"
#include "files/PosixFileSystem.h"
#include "score/ComposerState.h"

namespace {

using Clock = std::chrono::steady_clock;

NoteRecord note(int pitch, Octave octave, Articulation articulation, NoteLength length, int tempo)
{
    NoteRecord record;
    record.pitch = pitch;
    record.octave = octave;
    record.articulation = articulation;
    record.length = length;
    record.ticks = lengthTicks(length, tempo);
    return record;
}

std::vector<NoteRecord> equalWholeNotes()
{
    return std::vector<NoteRecord>(ComposerState::ScoreCapacity,
                                   note(0, Octave::Middle, Articulation::Normal, NoteLength::Whole, 60));
}

template<typename Work>
double secondsOf(Work work)
{
    const Clock::time_point start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The median times of the writer and of one raw write of its bytes.
double measure(const char *label, const std::vector<NoteRecord> &score)
{
    constexpr int Rounds = 41;
    const std::string reference = nqcProgramText(score);
    QTemporaryDir directory;
    if (!directory.isValid()) {
        std::fprintf(stderr, "no temporary directory\n");
        std::exit(1);
    }
    PosixFileSystem files(directory.path());
    const QByteArray singlePath = QFile::encodeName(directory.filePath(QStringLiteral("single.nqc")));

    std::vector<double> writer;
    std::vector<double> composing;
    std::vector<double> single;
    for (int round = 0; round < Rounds; ++round) {
        writer.push_back(secondsOf([&] {
            const SaveResult saved = saveMusicFile(files, [&score](OutputFile &file, QString &reason) {
                return composeNqcProgram(score, [&](std::string_view piece) { return file.write(piece, reason); });
            });
            if (saved.status != SaveResult::Status::Saved)
                std::abort();
        }));
        composing.push_back(secondsOf([&] { composeNqcProgram(score, [](std::string_view) { return true; }); }));
        single.push_back(secondsOf([&] {
            const int fd = ::open(singlePath.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
            if (fd < 0 || ::write(fd, reference.data(), reference.size()) != static_cast<ssize_t>(reference.size())
                || ::fsync(fd) != 0)
                std::abort();
            ::close(fd);
        }));
        // Each round writes a new file, as the program would; start afresh.
        QDir(directory.path()).remove(musicFileName(0));
        QFile::remove(QString::fromLocal8Bit(singlePath));
    }
    const double ratio = bench::median(writer) / bench::median(single);
    std::printf("%s: %zu bytes, writer %.3f ms (composing %.3f ms), single write %.3f ms, ratio %.2f\n", label,
                reference.size(), bench::median(writer) * 1000, bench::median(composing) * 1000,
                bench::median(single) * 1000, ratio);
    return ratio;
}

} // namespace

int main()
{
    const double equal = measure("equal whole notes at 60", equalWholeNotes());
    const double varied = measure("varied notes at 120", bench::variedScore());
    std::printf("equal-ratio %.2f\n", equal);
    std::printf("ratio %.2f\n", varied);
    return 0;
}
