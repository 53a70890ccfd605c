#include "controller/ExportMelody.h"

OutputResult ExportMelody::run(const QString &id, OutputSource source)
{
    const OutputWriter *writer = outputWriter(id);
    Q_ASSERT(writer);
    if (!writer)
        return {};
    const OutputFormat format = writer->format();
    const OutputResult fits = writer->fits(source);
    if (fits.status != OutputResult::Status::Written) {
        m_port.finished(format, QString(), fits);
        return fits;
    }
    const OutputResult stopped{OutputResult::Status::Cancelled, QString(), {}};
    if (format.titled) {
        const std::optional<QString> title = m_port.title(format, source.title);
        if (!title)
            return stopped;
        source.title = *title;
    }
    // A dialog may offer kindred formats (the MIDI file timed as the brick
    // plays it beside the one on the beat grid).
    std::vector<OutputFormat> offered{format};
    for (const OutputFormat &other : outputFormats()) {
        if (other.place == OutputPlace::WithAnother && other.offeredWith == format.id)
            offered.push_back(other);
    }
    std::size_t chosen = 0;
    const QString path = m_port.destination(offered, chosen);
    if (path.isEmpty())
        return stopped;
    const OutputFormat &written = offered.at(std::min(chosen, offered.size() - 1));
    const OutputResult result = writeOutput(written.id, source, path, m_port.replace(), m_port.progress(written));
    m_port.finished(written, path, result);
    return result;
}
