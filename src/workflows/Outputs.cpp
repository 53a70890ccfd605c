#include "workflows/Outputs.h"

#include <QCoreApplication>

OutputSource OutputSource::of(Melody melody, const QString &title)
{
    OutputSource source;
    source.title = title;
    source.events = brickEvents(melody.notes);
    source.melody = std::move(melody);
    return source;
}

OutputResult OutputWriter::fits(const OutputSource &source) const
{
    if (source.melody)
        return {OutputResult::Status::Written, QString(), {}};
    return {OutputResult::Status::NeedsNotes, QCoreApplication::translate("Outputs", "これには曲の音が要ります"), {}};
}

OutputResult OutputWriter::fromWrite(const UserFileWriter::Result &written)
{
    switch (written.status) {
    case UserFileWriter::Result::Status::Written:
        return {OutputResult::Status::Written, QString(), {}};
    case UserFileWriter::Result::Status::Exists:
        return {OutputResult::Status::Exists, QString(), {}};
    case UserFileWriter::Result::Status::Cancelled:
        return {OutputResult::Status::Cancelled, QString(), {}};
    case UserFileWriter::Result::Status::Failed:
        break;
    }
    return {OutputResult::Status::Failed, written.reason, {}};
}

std::vector<OutputFormat> outputFormats()
{
    std::vector<OutputFormat> formats;
    for (const auto &writer : outputWriters())
        formats.push_back(writer->format());
    return formats;
}

const OutputWriter *outputWriter(const QString &id)
{
    for (const auto &writer : outputWriters()) {
        if (writer->format().id == id)
            return writer.get();
    }
    return nullptr;
}

OutputFormat outputFormat(const QString &id)
{
    const OutputWriter *writer = outputWriter(id);
    Q_ASSERT(writer);
    return writer ? writer->format() : OutputFormat{};
}

QString suggestedOutputName(const QString &id, const QString &melodyName)
{
    return suggestedFileName(melodyName, outputFormat(id).nameEnding);
}

QString suggestedFileName(const QString &melodyName, const QString &ending)
{
    return (melodyName.isEmpty() ? QStringLiteral("melody") : melodyName) + ending;
}

OutputResult::Status outputFits(const QString &id, const OutputSource &source)
{
    const OutputWriter *writer = outputWriter(id);
    return writer ? writer->fits(source).status : OutputResult::Status::Failed;
}

OutputResult writeOutput(const QString &id, const OutputSource &source, const QString &path,
                         UserFileWriter::Replace replace, const OutputProgress &progress)
{
    const OutputWriter *writer = outputWriter(id);
    if (!writer)
        return {OutputResult::Status::Failed, QString(), {}};
    const OutputResult fits = writer->fits(source);
    if (fits.status != OutputResult::Status::Written)
        return fits;
    return writer->write(source, path, replace, progress);
}
