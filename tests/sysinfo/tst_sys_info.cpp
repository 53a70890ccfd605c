#include <QTest>

#include "common/RecordingMessageService.h"
#include "common/SysInfoDoubles.h"

Q_DECLARE_METATYPE(RegistryValue)

namespace {

const QString PathKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString FolderKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");

RegistryValue text(const QByteArray &bytes)
{
    return {RegistryType::Text, bytes};
}

} // namespace

class SysInfoTest : public QObject {
    Q_OBJECT

private slots:
    void startsTheToolOrSaysItIsUnavailable_data();
    void startsTheToolOrSaysItIsUnavailable();
    void readsValuesByTheirType_data();
    void readsValuesByTheirType();
};

void SysInfoTest::startsTheToolOrSaysItIsUnavailable_data()
{
    QTest::addColumn<bool>("hasPath");
    QTest::addColumn<RegistryValue>("pathValue");
    QTest::addColumn<bool>("hasFolder");
    QTest::addColumn<QStringList>("filesPresent");
    QTest::addColumn<bool>("launchSucceeds");
    QTest::addColumn<QString>("started"); // empty: the failure message

    const RegistryValue path = text(QByteArrayLiteral("C:\\Tools\\msinfo32.exe /report\0"));
    const RegistryValue none;
    const QStringList tool{QStringLiteral("C:\\Shared\\MSINFO32.EXE")};

    QTest::newRow("PATH started unchanged, no file test")
        << true << path << true << QStringList{} << true << "C:\\Tools\\msinfo32.exe /report";
    QTest::newRow("only MSINFO, tool present") << false << none << true << tool << true << tool.front();
    QTest::newRow("only MSINFO, tool missing") << false << none << true << QStringList{} << true << QString();
    QTest::newRow("neither value") << false << none << false << tool << true << QString();
    QTest::newRow("PATH of another type")
        << true << RegistryValue{3, QByteArrayLiteral("\x01\x02")} << true << tool << true << QString();
    QTest::newRow("launch fails") << true << path << false << QStringList{} << false << QString();
    QTest::newRow("PATH too long to read falls back")
        << true << text(QByteArray(1025, 'x')) << true << tool << true << tool.front();
}

void SysInfoTest::startsTheToolOrSaysItIsUnavailable()
{
    QFETCH(bool, hasPath);
    QFETCH(RegistryValue, pathValue);
    QFETCH(bool, hasFolder);
    QFETCH(QStringList, filesPresent);
    QFETCH(bool, launchSucceeds);
    QFETCH(QString, started);

    InMemoryRegistry registry;
    if (hasPath)
        registry.set(RegistryRoot::LocalMachine, PathKey, QStringLiteral("PATH"), pathValue);
    if (hasFolder)
        registry.set(RegistryRoot::LocalMachine, FolderKey, QStringLiteral("MSINFO"), text("C:\\Shared"));
    KnownFiles files;
    files.files = filesPresent;
    RecordingLauncher launcher;
    launcher.succeeds = launchSucceeds;
    RecordingMessageService messages;
    SysInfoStarter starter(registry, files, launcher, messages);

    if (started.isEmpty() || !launchSucceeds)
        messages.expect();
    starter.StartSysInfo();

    if (!started.isEmpty() && launchSucceeds) {
        QCOMPARE(launcher.started, QStringList{started});
        QVERIFY(messages.shown().empty());
        return;
    }
    QCOMPARE(messages.shown().size(), std::size_t(1));
    QCOMPARE(messages.last().text, QStringLiteral("現時点ではｼｽﾃﾑ情報を使用できません"));
    QCOMPARE(messages.last().shownTitle(), QStringLiteral("NQC用簡易音楽作成ソフト「ZEPA」"));
    QCOMPARE(messages.last().flags(), 0u);
}

void SysInfoTest::readsValuesByTheirType_data()
{
    QTest::addColumn<bool>("present");
    QTest::addColumn<RegistryValue>("value");
    QTest::addColumn<bool>("read");
    QTest::addColumn<QString>("result"); // KeyVal enters as "before"

    QTest::newRow("text with its NUL") << true << text(QByteArrayLiteral("abc\0")) << true << "abc";
    QTest::newRow("text without NUL") << true << text("abc") << true << "abc";
    QTest::newRow("only one NUL is dropped")
        << true << text(QByteArrayLiteral("abc\0\0")) << true << QStringLiteral("abc") + QChar(u'\0');
    QTest::newRow("number") << true << RegistryValue{RegistryType::Number, QByteArrayLiteral("\x10\x27\0\0")} << true
                            << "10000";
    QTest::newRow("other type keeps the text")
        << true << RegistryValue{3, QByteArrayLiteral("\x01")} << true << "before";
    QTest::newRow("longest readable") << true << text(QByteArray(1024, 'y')) << true << QString(1024, u'y');
    QTest::newRow("too long") << true << text(QByteArray(1025, 'y')) << false << QString();
    QTest::newRow("missing") << false << RegistryValue{} << false << QString();
}

void SysInfoTest::readsValuesByTheirType()
{
    QFETCH(bool, present);
    QFETCH(RegistryValue, value);
    QFETCH(bool, read);
    QFETCH(QString, result);

    InMemoryRegistry registry;
    if (present)
        registry.set(RegistryRoot::LocalMachine, PathKey, QStringLiteral("PATH"), value);
    KnownFiles files;
    RecordingLauncher launcher;
    RecordingMessageService messages;
    const SysInfoStarter starter(registry, files, launcher, messages);

    QString keyValue = QStringLiteral("before");
    QCOMPARE(starter.GetKeyValue(RegistryRoot::LocalMachine, PathKey, QStringLiteral("PATH"), keyValue), read);
    QCOMPARE(keyValue, result);
}

QTEST_GUILESS_MAIN(SysInfoTest)
#include "tst_sys_info.moc"
