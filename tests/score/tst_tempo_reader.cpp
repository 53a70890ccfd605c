#include <optional>

#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include "TestPaths.h"

#include "score/TempoReader.h"

Q_DECLARE_METATYPE(std::optional<int>)

namespace {
constexpr std::optional<int> refused = std::nullopt;
}

class TempoReaderTest : public QObject {
    Q_OBJECT

private slots:
    void readsNumbersAsTyped_data();
    void readsNumbersAsTyped();
    void acceptsOnlyTemposFrom60To240_data();
    void acceptsOnlyTemposFrom60To240();
    void agreesWithAnIndependentReference();
};

void TempoReaderTest::readsNumbersAsTyped_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<int>>("value");

    QTest::newRow("plain") << "80" << std::optional<int>(80);
    QTest::newRow("blanks around") << " \t90  " << std::optional<int>(90);
    QTest::newRow("plus sign") << "+60" << std::optional<int>(60);
    QTest::newRow("minus sign") << "-80" << std::optional<int>(-80);
    QTest::newRow("trailing point") << "99." << std::optional<int>(99);
    QTest::newRow("leading point") << ".5" << std::optional<int>(0);
    QTest::newRow("half up to even") << "9.5" << std::optional<int>(10);
    QTest::newRow("half down to even") << "8.5" << std::optional<int>(8);
    QTest::newRow("60.5 to even") << "60.5" << std::optional<int>(60);
    QTest::newRow("not a half") << "60.51" << std::optional<int>(61);
    QTest::newRow("exponent") << "1e2" << std::optional<int>(100);
    QTest::newRow("signed exponent") << "25E-1" << std::optional<int>(2);
    QTest::newRow("largest") << "32767" << std::optional<int>(32767);
    QTest::newRow("smallest") << "-32768" << std::optional<int>(-32768);
    QTest::newRow("rounds into range") << "-32768.5" << std::optional<int>(-32768);
    QTest::newRow("rounds out of range") << "32767.5" << refused;
    QTest::newRow("too large") << "32768" << refused;
    QTest::newRow("too small") << "-32769" << refused;
    QTest::newRow("large exponent") << "1e5" << refused;
    QTest::newRow("huge exponent") << "1e999" << refused;
    QTest::newRow("full-width digits") << "１２０" << std::optional<int>(120);
    QTest::newRow("full-width sign and point") << "－８．５" << std::optional<int>(-8);
    QTest::newRow("ideographic space") << "\u3000７０" << std::optional<int>(70);
    QTest::newRow("superscript digits") << "¹²⁰" << std::optional<int>(120);
    QTest::newRow("circled twelve and full-width zero") << "⑫０" << std::optional<int>(120);
    QTest::newRow("no-break space") << "\u00a090" << std::optional<int>(90);
    QTest::newRow("en space") << "90\u2002" << std::optional<int>(90);
    QTest::newRow("small plus sign") << "\ufe6260" << std::optional<int>(60);
    QTest::newRow("many zeros before the point") << "0000000000000000000120" << std::optional<int>(120);
    QTest::newRow("long half, decided on the digits") << "2.50000000000000000000000000001" << std::optional<int>(3);
    QTest::newRow("exponent moves the point left") << "12500e-2" << std::optional<int>(125);
    QTest::newRow("exponent moves the point right") << ".0625e3" << std::optional<int>(62);
    QTest::newRow("tiny") << "1e-99999999999999999999" << std::optional<int>(0);
    QTest::newRow("zero with a huge exponent") << "0e99999999999999999999" << std::optional<int>(0);
    QTest::newRow("empty") << "" << refused;
    QTest::newRow("blanks only") << "   " << refused;
    QTest::newRow("letters") << "abc" << refused;
    QTest::newRow("point alone") << "." << refused;
    QTest::newRow("exponent without digits") << "1e" << refused;
    QTest::newRow("exponent alone") << "e5" << refused;
    QTest::newRow("two signs") << "+-5" << refused;
    QTest::newRow("blank inside") << "1 2" << refused;
    QTest::newRow("hexadecimal") << "0x10" << refused;
    QTest::newRow("ampersand hexadecimal") << "&H64" << refused;
    QTest::newRow("currency sign") << "¥100" << refused;
    QTest::newRow("thousands separator") << "1,000" << refused;
    QTest::newRow("decimal comma") << "9,5" << refused;
    QTest::newRow("minus sign character") << "\u221280" << refused;
    QTest::newRow("infinity") << "inf" << refused;
    QTest::newRow("not a number") << "nan" << refused;
}

void TempoReaderTest::readsNumbersAsTyped()
{
    QFETCH(QString, text);
    QFETCH(std::optional<int>, value);
    const std::optional<qint16> read = TempoReader::readInteger(text);
    QCOMPARE(read.has_value(), value.has_value());
    if (value)
        QCOMPARE(int(*read), *value);
}

void TempoReaderTest::acceptsOnlyTemposFrom60To240_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<int>>("tempo");

    QTest::newRow("lowest") << "60" << std::optional<int>(60);
    QTest::newRow("highest") << "240" << std::optional<int>(240);
    QTest::newRow("below") << "59" << refused;
    QTest::newRow("above") << "241" << refused;
    QTest::newRow("zero") << "0" << refused;
    QTest::newRow("negative") << "-80" << refused;
    QTest::newRow("rounds up into range") << "59.5" << std::optional<int>(60);
    QTest::newRow("rounds down into range") << "240.5" << std::optional<int>(240);
    QTest::newRow("rounds out of range") << "240.51" << refused;
    QTest::newRow("far out of range") << "1e9" << refused;
    // Decided on the decimal text: a double would round each of these wrongly.
    QTest::newRow("just over 240.5") << "240.50000000000001" << refused;
    QTest::newRow("just under 59.5") << "59.499999999999999" << refused;
    QTest::newRow("just under 61.5") << "61.49999999999999999" << std::optional<int>(61);
}

void TempoReaderTest::acceptsOnlyTemposFrom60To240()
{
    QFETCH(QString, text);
    QFETCH(std::optional<int>, tempo);
    const std::optional<qint16> read = TempoReader::readTempo(text);
    QCOMPARE(read.has_value(), tempo.has_value());
    if (tempo)
        QCOMPARE(int(*read), *tempo);
}

void TempoReaderTest::agreesWithAnIndependentReference()
{
    // 100 000 generated texts, judged by Python's own NFKC and exact decimal
    // rounding: compatibility forms, long decimals near the halves, exponents.
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    QVERIFY2(!python.isEmpty(), "python3 (Debian package python3) is needed for the reference");
    QProcess reference;
    reference.start(python, {QStringLiteral(ZEPA_TESTS_DIR "/score/tempo_reference.py"), QStringLiteral("100000")});
    QVERIFY(reference.waitForFinished(120000));
    QCOMPARE(reference.exitCode(), 0);

    int compared = 0;
    QStringList disagreements;
    for (const QByteArray &line : reference.readAllStandardOutput().split('\n')) {
        if (line.isEmpty())
            continue;
        const QList<QByteArray> fields = line.split('\t');
        QCOMPARE(fields.size(), 2);
        const QString text = QString::fromUtf8(QByteArray::fromHex(fields[1]));
        const std::optional<qint16> tempo = TempoReader::readTempo(text);
        const QByteArray ours = tempo ? QByteArray::number(*tempo) : QByteArray("-");
        if (ours != fields[0] && disagreements.size() < 10)
            disagreements << QStringLiteral("%1: expected %2, read %3")
                                 .arg(QString::fromLatin1(fields[1]), QString::fromLatin1(fields[0]),
                                      QString::fromLatin1(ours));
        ++compared;
    }
    QCOMPARE(compared, 100000);
    QVERIFY2(disagreements.isEmpty(), qPrintable(disagreements.join(QLatin1Char('\n'))));
}

QTEST_GUILESS_MAIN(TempoReaderTest)
#include "tst_tempo_reader.moc"
