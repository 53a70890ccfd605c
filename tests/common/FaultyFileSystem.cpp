#include "common/FaultyFileSystem.h"

#include <QFile>

namespace {

class FaultyOutputFile : public OutputFile {
public:
    FaultyOutputFile(std::unique_ptr<OutputFile> real, FaultyFileSystem &files)
        : m_real(std::move(real))
        , m_files(files)
    { }

    bool write(std::string_view bytes, QString &reason) override
    {
        if (m_files.writeFailsAfter < 0)
            return m_real->write(bytes, reason);
        m_real->write(bytes.substr(0, std::size_t(m_files.writeFailsAfter)), reason);
        reason = QStringLiteral("No space left on device");
        return false;
    }

    bool flush(QString &reason) override { return m_real->flush(reason); }

    NameResult giveName(const QString &name, QString &reason) override
    {
        if (m_files.appearBeforeNaming.contains(name)) {
            QFile other(m_files.folderPath() + QLatin1Char('/') + name);
            if (other.open(QIODevice::WriteOnly))
                other.write("someone else's file");
        }
        return m_real->giveName(name, reason);
    }

private:
    std::unique_ptr<OutputFile> m_real;
    FaultyFileSystem &m_files;
};

} // namespace

FaultyFileSystem::FaultyFileSystem(const QString &directory)
    : m_real(directory)
    , m_directory(directory)
{ }

bool FaultyFileSystem::exists(const QString &name)
{
    return everyNameExists || m_real.exists(name);
}

FileSystem::CreateResult FaultyFileSystem::createUnnamed()
{
    ++createCalls;
    if (!createFailure.isEmpty())
        return {CreateStatus::Failed, nullptr, createFailure};
    CreateResult result = m_real.createUnnamed();
    if (result.status == CreateStatus::Created)
        result.file = std::make_unique<FaultyOutputFile>(std::move(result.file), *this);
    return result;
}
