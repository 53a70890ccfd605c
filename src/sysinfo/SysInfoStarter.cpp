#include "sysinfo/SysInfoStarter.h"

#include <QCoreApplication>
#include <QtEndian>

namespace {

const QString ToolPathKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString ToolPathValue = QStringLiteral("PATH");
const QString ToolFolderKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString ToolFolderValue = QStringLiteral("MSINFO");
const QString ToolFileName = QStringLiteral("\\MSINFO32.EXE");

// A value is read into a buffer of this many bytes; a longer one cannot be read.
constexpr qsizetype ValueBufferSize = 1024;

} // namespace

SysInfoStarter::SysInfoStarter(const Registry &registry, const FileProbe &files, ProgramLauncher &launcher,
                               MessageService &messages)
    : m_registry(registry)
    , m_files(files)
    , m_launcher(launcher)
    , m_messages(messages)
{ }

void SysInfoStarter::StartSysInfo()
{
    QString command;
    if (!GetKeyValue(RegistryRoot::LocalMachine, ToolPathKey, ToolPathValue, command)) {
        QString folder;
        if (GetKeyValue(RegistryRoot::LocalMachine, ToolFolderKey, ToolFolderValue, folder)
            && m_files.isPlainFile(folder + ToolFileName)) {
            command = folder + ToolFileName;
        }
    }
    if (!command.isEmpty() && m_launcher.startDetached(command))
        return;
    m_messages.show(
        Message::plain(QCoreApplication::translate("SysInfoStarter", "現時点ではｼｽﾃﾑ情報を使用できません")));
}

bool SysInfoStarter::GetKeyValue(quint32 KeyRoot, const QString &KeyName, const QString &SubKeyRef,
                                 QString &KeyVal) const
{
    const std::optional<RegistryValue> value = m_registry.query(KeyRoot, KeyName, SubKeyRef);
    if (!value || value->bytes.size() > ValueBufferSize) {
        KeyVal.clear();
        return false;
    }
    if (value->type == RegistryType::Text) {
        QString text = QString::fromLocal8Bit(value->bytes);
        if (text.endsWith(QChar(u'\0')))
            text.chop(1);
        KeyVal = text;
    } else if (value->type == RegistryType::Number) {
        QByteArray bytes = value->bytes.left(4);
        bytes.append(4 - bytes.size(), '\0');
        KeyVal = QString::number(qFromLittleEndian<quint32>(bytes.constData()));
    }
    return true;
}
