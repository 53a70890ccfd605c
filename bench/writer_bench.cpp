// Writes a full score of 32767 whole notes at tempo 60 (four lines a note) the
// way the finish button does, and the identical bytes with one write call, in
// the same run. Prints the medians and, last, "ratio R": writer / single write.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "composer/ComposerState.h"
#include "composer/NoteLength.h"
#include "composer/NoteTables.h"
#include "writer/MusicFileSaver.h"
#include "writer/NqcProgram.h"
#include "writer/PosixFileSystem.h"
#include "writer/ProgramFileWriter.h"

namespace {

using Clock = std::chrono::steady_clock;

std::vector<NoteRecord> fullScoreOfWholeNotes()
{
    NoteRecord note;
    note.PitchCode = pitchTable()[0].code;
    note.PitchText = pitchTable()[0].text;
    note.GapMode = articulationEntry(Articulation::Normal).gapMode;
    note.Length = lengthTicks(NoteLength::Whole, 60);
    return std::vector<NoteRecord>(ComposerState::ScoreCapacity, note);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

template <typename Work>
double secondsOf(Work work)
{
    const Clock::time_point start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

} // namespace

int main()
{
    constexpr int Rounds = 41;
    const std::vector<NoteRecord> score = fullScoreOfWholeNotes();
    const std::string reference = nqcProgramText(score, ComposerState::LastScoreIndex);

    QTemporaryDir directory;
    if (!directory.isValid()) {
        std::fprintf(stderr, "no temporary directory\n");
        return 1;
    }
    PosixFileSystem files(directory.path());
    const QByteArray singlePath = QFile::encodeName(directory.filePath(QStringLiteral("single.nqc")));

    std::vector<double> writer;
    std::vector<double> composing;
    std::vector<double> single;
    for (int round = 0; round < Rounds; ++round) {
        writer.push_back(secondsOf([&] {
            const SaveResult saved = saveMusicFile(files, [&score](OutputFile &file, QString &reason) {
                return writeNqcProgramFile(file, score, ComposerState::LastScoreIndex, reason);
            });
            if (saved.status != SaveResult::Status::Saved)
                std::abort();
        }));
        composing.push_back(secondsOf([&] { NqcProgram program(score, ComposerState::LastScoreIndex); }));
        single.push_back(secondsOf([&] {
            const int fd = ::open(singlePath.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
            if (fd < 0 || ::write(fd, reference.data(), reference.size()) != static_cast<ssize_t>(reference.size()))
                std::abort();
            ::close(fd);
        }));
        // Each round writes a new file, as the program would; start afresh.
        QDir(directory.path()).remove(musicFileName(0));
        QFile::remove(QString::fromLocal8Bit(singlePath));
    }

    std::printf("bytes %zu\n", reference.size());
    std::printf("writer median %.3f ms\n", median(writer) * 1000);
    std::printf("  of which composing the text %.3f ms\n", median(composing) * 1000);
    std::printf("single write median %.3f ms\n", median(single) * 1000);
    std::printf("ratio %.2f\n", median(writer) / median(single));
    return 0;
}
