#include <QTest>

#include "common/NoteBuilders.h"
#include "performance/BrickTones.h"
#include "sound/SoundRenderer.h"

using Events = std::vector<BrickEvent>;
using Spans = std::vector<SoundSpan>;
Q_DECLARE_METATYPE(Events)
Q_DECLARE_METATYPE(Spans)

namespace {

using namespace BrickSound;

BrickEvent tone(int pitch, Octave octave, int ticks)
{
    return {BrickEvent::Kind::Tone, quint8(toneIndex(pitch, octave)), quint16(ticks)};
}

BrickEvent wait(int ticks)
{
    return {BrickEvent::Kind::Wait, 0, quint16(ticks)};
}

int hertzOf(int pitch, Octave octave)
{
    return brickTones()[std::size_t(toneIndex(pitch, octave))].hertz;
}

std::vector<qint16> renderAll(const Events &events)
{
    SoundRenderer renderer(toneTimeline(events));
    std::vector<qint16> samples(std::size_t(renderer.totalSamples()));
    renderer.render(samples);
    return samples;
}

// [first, end) ranges of samples that are not silent.
QList<QPair<qint64, qint64>> soundingRanges(const std::vector<qint16> &samples)
{
    QList<QPair<qint64, qint64>> ranges;
    for (qint64 i = 0; i < qint64(samples.size()); ++i) {
        if (samples[std::size_t(i)] == 0)
            continue;
        if (!ranges.isEmpty() && ranges.last().second == i)
            ranges.last().second = i + 1;
        else
            ranges.append({i, i + 1});
    }
    return ranges;
}

} // namespace

class SoundRendererTest : public QObject {
    Q_OBJECT

private slots:
    void timelineFollowsTheSoundQueue_data();
    void timelineFollowsTheSoundQueue();
    void startsAndLengthsAreSampleExact();
    void squareWaveHasThePeriodAndHalfDuty_data();
    void squareWaveHasThePeriodAndHalfDuty();
    void blocksOfAnySizeGiveTheSameSamples();
};

void SoundRendererTest::timelineFollowsTheSoundQueue_data()
{
    QTest::addColumn<Events>("events");
    QTest::addColumn<Spans>("spans");
    QTest::addColumn<qint64>("totalTicks");
    QTest::addColumn<int>("dropped");
    const int c = hertzOf(0, Octave::Middle);
    const int a = hertzOf(9, Octave::Middle);

    QTest::newRow("a note and its gap") << Events{tone(0, Octave::Middle, 40), wait(50)} << Spans{{0, 40, c}}
                                        << qint64(50) << 0;
    QTest::newRow("a rest is silence") << Events{wait(30), tone(9, Octave::Middle, 10), wait(10)} << Spans{{30, 40, a}}
                                       << qint64(40) << 0;
    QTest::newRow("a tone sent while one sounds waits for it")
        << Events{tone(0, Octave::Middle, 100), tone(9, Octave::Middle, 50), wait(10)}
        << Spans{{0, 100, c}, {100, 150, a}} << qint64(150) << 0;
    QTest::newRow("a tone sent after the last ended starts at once")
        << Events{tone(0, Octave::Middle, 10), wait(20), tone(9, Octave::Middle, 10), wait(10)}
        << Spans{{0, 10, c}, {20, 30, a}} << qint64(30) << 0;
    Events nine;
    Spans eight;
    for (int i = 0; i < 9; ++i) {
        nine.push_back(tone(0, Octave::Middle, 10));
        if (i < 8)
            eight.push_back({10 * i, 10 * i + 10, c});
    }
    QTest::newRow("the ninth tone at once finds the queue full") << nine << eight << qint64(80) << 1;
    nine.insert(nine.begin() + 8, wait(10)); // the first has ended: room again
    eight.push_back({80, 90, c});
    QTest::newRow("room again once a tone has ended") << nine << eight << qint64(90) << 0;
}

void SoundRendererTest::timelineFollowsTheSoundQueue()
{
    QFETCH(Events, events);
    QFETCH(Spans, spans);
    QFETCH(qint64, totalTicks);
    QFETCH(int, dropped);
    const ToneTimeline timeline = toneTimeline(events);
    QCOMPARE(timeline.spans, spans);
    QCOMPARE(timeline.totalTicks, totalTicks);
    QCOMPARE(timeline.droppedTones, dropped);
}

void SoundRendererTest::startsAndLengthsAreSampleExact()
{
    // At tempo 93 a quarter is 65 ticks; a whole slurred note at 60 (400
    // ticks) is split at 255 and sounds without a break; a staccato eighth.
    const std::vector<NoteRecord> notes{
        toneNote(0, Octave::Middle, 65),
        restNote(33),
        toneNote(11, Octave::Highest, 400, Articulation::SlurOrTie),
        toneNote(4, Octave::Low, 25, Articulation::Staccato),
    };
    const std::vector<qint16> samples = renderAll(brickEvents(notes));
    QCOMPARE(qint64(samples.size()), qint64(65 + 33 + 400 + 25) * SamplesPerTick);
    const QList<QPair<qint64, qint64>> expected{
        {0, 55 * SamplesPerTick},
        {(65 + 33) * SamplesPerTick, (65 + 33 + 400) * SamplesPerTick},
        {(65 + 33 + 400) * SamplesPerTick, (65 + 33 + 400 + 5) * SamplesPerTick},
    };
    // The slurred note runs straight into the staccato one: one range.
    QCOMPARE(soundingRanges(samples),
             (QList<QPair<qint64, qint64>>{expected[0], {expected[1].first, expected[2].second}}));
    for (qint16 sample : samples)
        QVERIFY(sample == 0 || sample == Amplitude || sample == -Amplitude);
}

void SoundRendererTest::squareWaveHasThePeriodAndHalfDuty_data()
{
    QTest::addColumn<int>("pitch");
    QTest::addColumn<Octave>("octave");
    QTest::newRow("lowest C, 131 Hz") << 0 << Octave::Lowest;
    QTest::newRow("middle C, 523 Hz") << 0 << Octave::Middle;
    QTest::newRow("A, 440 Hz") << 9 << Octave::Low;
    QTest::newRow("highest B, 3951 Hz") << 11 << Octave::Highest;
}

void SoundRendererTest::squareWaveHasThePeriodAndHalfDuty()
{
    QFETCH(int, pitch);
    QFETCH(Octave, octave);
    const int hertz = hertzOf(pitch, octave);
    const std::vector<qint16> samples = renderAll({tone(pitch, octave, 100), wait(100)}); // one second
    // Sign changes: two a period.
    int changes = 0;
    int positive = 0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        positive += samples[i] > 0;
        if (i > 0 && (samples[i] > 0) != (samples[i - 1] > 0))
            ++changes;
    }
    QVERIFY2(std::abs(changes - 2 * hertz) <= 1, qPrintable(QString::number(changes)));
    // Half of every period is high, to within one sample a period.
    QVERIFY2(std::abs(positive - SampleRate / 2) <= hertz, qPrintable(QString::number(positive)));
}

void SoundRendererTest::blocksOfAnySizeGiveTheSameSamples()
{
    std::vector<NoteRecord> notes;
    for (int i = 0; i < 40; ++i)
        notes.push_back(i % 7 == 3 ? restNote(20 + i)
                                   : toneNote(i % 12, AllOctaves[std::size_t(i % 5)], 10 + 9 * i,
                                              AllArticulations[std::size_t(i % 3)]));
    const Events events = brickEvents(notes);
    const std::vector<qint16> whole = renderAll(events);
    for (std::size_t blockSize : {std::size_t(1), std::size_t(7), std::size_t(441), std::size_t(4096)}) {
        SoundRenderer renderer(toneTimeline(events));
        std::vector<qint16> streamed;
        std::vector<qint16> block(blockSize);
        while (!renderer.atEnd()) {
            const qsizetype count = renderer.render(block);
            QVERIFY(count > 0);
            streamed.insert(streamed.end(), block.begin(), block.begin() + count);
        }
        QCOMPARE(renderer.render(block), qsizetype(0));
        QVERIFY2(streamed == whole, qPrintable(QString::number(blockSize)));
    }
}

QTEST_GUILESS_MAIN(SoundRendererTest)
#include "tst_sound_renderer.moc"
