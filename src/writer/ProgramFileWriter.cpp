#include "writer/ProgramFileWriter.h"

#include <future>
#include <memory>

#include "writer/NqcProgram.h"

namespace {

// Composing is faster than writing, so after the first part the helper stays
// ahead; few large parts keep the system calls few (a full score has three).
constexpr std::size_t RecordsPerPart = 11000;

std::vector<std::size_t> partBoundaries(std::size_t records)
{
    std::vector<std::size_t> boundaries{0};
    std::size_t next = RecordsPerPart;
    while (next < records) {
        boundaries.push_back(next);
        next += RecordsPerPart;
    }
    boundaries.push_back(records);
    return boundaries;
}

} // namespace

bool writeNqcProgramFile(OutputFile &file, const std::vector<NoteRecord> &score, int lastIndex, QString &reason)
{
    const std::size_t records = lastIndex < 0 ? 0 : std::min(score.size(), static_cast<std::size_t>(lastIndex) + 1);
    const std::vector<std::size_t> boundaries = partBoundaries(records);
    const std::size_t partCount = boundaries.size() - 1;
    auto part = [&](std::size_t index) {
        return std::make_unique<NqcProgram>(
            score, NqcProgram::Part{boundaries[index], boundaries[index + 1], index == 0, index + 1 == partCount});
    };
    auto writeAtOnce = [&] { return file.write(NqcProgram(score, lastIndex).pieces(), reason); };
    if (partCount == 1)
        return writeAtOnce();

    std::vector<std::promise<std::unique_ptr<NqcProgram>>> composed(partCount);
    std::vector<std::future<std::unique_ptr<NqcProgram>>> ready;
    for (auto &promise : composed)
        ready.push_back(promise.get_future());
    std::atomic<bool> stop = false;
    // The helper only reads the score; the score does not change while the
    // finish command runs, since the window handles no event meanwhile.
    std::future<void> composer;
    try {
        composer = std::async(std::launch::async, [&] {
            for (std::size_t index = 1; index < partCount && !stop; ++index) {
                try {
                    composed[index].set_value(part(index));
                } catch (...) {
                    composed[index].set_exception(std::current_exception());
                    return;
                }
            }
        });
    } catch (const std::system_error &) {
        return writeAtOnce(); // no thread to be had: compose first, then write
    }

    bool written = false;
    try {
        written = file.write(part(0)->pieces(), reason);
        for (std::size_t index = 1; written && index < partCount; ++index)
            written = file.write(ready[index].get()->pieces(), reason);
    } catch (const std::bad_alloc &) {
        reason = QStringLiteral("Not enough memory");
        written = false;
    }
    stop = true;
    composer.wait();
    return written;
}
