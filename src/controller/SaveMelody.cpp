#include "controller/SaveMelody.h"

#include "mml/MmlWriter.h"

QString SaveMelody::run(const Melody &melody, const QString &offered)
{
    const QString path = m_port.destination(offered);
    if (path.isEmpty())
        return QString();
    const UserFileWriter::Result written = UserFileWriter::write(path, mmlText(melody), m_port.replace());
    if (!written.written()) {
        m_port.failed(path, written);
        return QString();
    }
    m_port.saved(path);
    return path;
}
