#include "controller/ReadMelody.h"

std::optional<MelodyRead> ReadMelody::run(const QString &path, const MelodyReadOptions &options, bool needsNotes)
{
    MelodyRead read = readMelodyFile(path, options);
    if (read.status == MelodyRead::Status::Cancelled)
        return std::nullopt;
    if (!read.ok() || (needsNotes && !read.hasMelody())) {
        m_port.refused(path, read);
        return std::nullopt;
    }
    return read;
}
