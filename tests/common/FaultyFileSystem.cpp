#include "common/FaultyFileSystem.h"

#include <QFile>

namespace {

class FailingOutputFile : public OutputFile {
public:
    FailingOutputFile(std::unique_ptr<OutputFile> real, qsizetype failAfter)
        : m_real(std::move(real))
        , m_failAfter(failAfter)
    { }

    bool write(std::string_view bytes, QString &reason) override
    {
        m_real->write(bytes.substr(0, std::size_t(m_failAfter)), reason);
        reason = QStringLiteral("No space left on device");
        return false;
    }

    bool close(QString &reason) override { return m_real->close(reason); }

private:
    std::unique_ptr<OutputFile> m_real;
    qsizetype m_failAfter;
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

FileSystem::CreateResult FaultyFileSystem::createNew(const QString &name)
{
    ++createCalls;
    if (appearBeforeCreate.contains(name)) {
        QFile other(m_directory + QLatin1Char('/') + name);
        if (other.open(QIODevice::WriteOnly))
            other.write("someone else's file");
    }
    if (!createFailure.isEmpty())
        return {CreateStatus::Failed, nullptr, createFailure};
    CreateResult result = m_real.createNew(name);
    if (result.status == CreateStatus::Created && writeFailsAfter >= 0)
        result.file = std::make_unique<FailingOutputFile>(std::move(result.file), writeFailsAfter);
    return result;
}

void FaultyFileSystem::remove(const QString &name)
{
    m_real.remove(name);
}
